#include "SkinBitButton.h"
#include "SkinButton.h"
#include "SkinControl.h"

TSkinControl* CreateSkinControl(TSkinnerKind kind, QWidget* control)
{
    switch (kind) {
    case TSkinnerKind::BitButton: return new TSkinBitButton(control);
    case TSkinnerKind::SpeedButton: return new TSkinSpeedButton(control);
    case TSkinnerKind::Button: return new TSkinButton(control);
    default: return new TSkinControl(control, kind);
    }
}
