#pragma once
#include "SkinControl.h"

// Size grips: the grip drawn by the skinner as three diagonal ridges in ButtonShadow.
class TSkinSizer : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinSizer(QWidget* control) : TSkinControl(control, TSkinnerKind::Sizer) {}

protected:
    bool BeforeMessage(QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;
};
