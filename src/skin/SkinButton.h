#pragma once
#include "SkinControl.h"

class QAbstractButton;
class TCanvas;

// Push buttons, of a form or of a dialog: drawn wholly from the Buttons element's five frames
// (1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default) with the caption centred on
// them. The press never reaches the button: the skinner tracks it and clicks the button when
// the mouse is released over it. A dialog's own button reports its click through the event loop.
class TSkinButton : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinButton(QWidget* control, TSkinnerKind kind = TSkinnerKind::Button);

    void InitWindow(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options) override;
    // The frame of the Buttons element the button shows now.
    virtual int ButtonFrame() const;

protected:
    bool BeforeMessage(QEvent* event) override;
    void AfterMessage(QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;

    QAbstractButton* Button() const;
    bool HasButtonsPicture() const;
    // The window text, or the "Caption" property when it is empty.
    QString Caption() const;
    // What goes on the frame: the caption, word-wrapped and centred.
    virtual void PaintContent(QPainter& painter, const QRect& rect, int frame) const;
    // The caption's colour on a frame.
    virtual QColor CaptionColour(int frame) const;
    // A dialog's own button (not a control of a form).
    bool IsRaw() const { return raw_; }

    void MouseEnter();
    void MouseLeave();

private:
    void Release(const QPoint& at);
    void Click();

    bool raw_ = false;
};
