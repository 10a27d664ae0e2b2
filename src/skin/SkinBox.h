#pragma once
#include "SkinControl.h"

// Panels, tool bars and embedded forms: recoloured to the skin's ButtonFace, nothing more. The
// skinner never looks at the control's events; its colour comes back when the skin goes.
class TSkinBox : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinBox(QWidget* control) : TSkinControl(control, TSkinnerKind::Box) {}

protected:
    bool SeesMessages() const override { return false; }
};
