#pragma once
#include "SkinControl.h"

// Group boxes: after the box has painted itself its own frame is rubbed out with ButtonFace and
// a rounded frame in ButtonShadow drawn instead, the caption at x = 9 on ButtonFace.
class TSkinGroupBox : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinGroupBox(QWidget* control) : TSkinControl(control, TSkinnerKind::GroupBox) {}

protected:
    void Paint(QPainter& painter, const QRect& rect) override;
};
