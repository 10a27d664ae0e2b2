#pragma once
#include "SkinControl.h"

// The up-down buttons of a spin box, drawn over the box after it painted itself from the
// UpDown.Vert element: eight frames, the first (upper) half normal, hot, pressed, disabled,
// then the second (lower) half the same; its GlyphImage holds the arrows of the first and second
// half, then their disabled forms. The skinner tracks which half is hot and which is pressed;
// the box itself does the stepping.
class TSkinUpDown : public TSkinControl {
    Q_OBJECT

public:
    enum THalf { hNone = 0, hFirst = 1, hSecond = 2 };

    explicit TSkinUpDown(QWidget* control) : TSkinControl(control, TSkinnerKind::UpDown) {}

    // The two halves in the control's coordinates.
    QRect HalfRect(THalf half) const;
    // The element frame a half shows now.
    int HalfFrame(THalf half) const;

protected:
    void AfterMessage(QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;

private:
    THalf HalfAt(const QPoint& at) const;
    bool HalfEnabled(THalf half) const;
    void Track(THalf hot, THalf pressed);

    THalf hot_ = hNone;
    THalf pressed_ = hNone;
};
