#pragma once
#include "SkinControl.h"

// Combo boxes and dropping date pickers: after the box has painted itself, the SunkEdge frame
// goes around it and the ComboButton frame over its button (1 normal, 2 pressed, 3 disabled,
// 4 focused or hot), with the ExtraImages arrow centred on it. A box that cannot be typed into
// shows its current item on the edit colour, highlighted while it has the focus. ComboButton
// Style 1 draws the button frame alone: its picture holds the arrow.
class TSkinComBox : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinComBox(QWidget* control) : TSkinControl(control, TSkinnerKind::ComBox) {}

    int BoxFrame() const;
    // The drop-down button: as wide as a scroll-bar arrow and 2 more, 2 pixels in from the edge
    // (on the left for right-to-left boxes).
    QRect ButtonRect() const;

protected:
    void Paint(QPainter& painter, const QRect& rect) override;

private:
    void PaintCurrentItem(QPainter& painter, const QRect& field) const;
};
