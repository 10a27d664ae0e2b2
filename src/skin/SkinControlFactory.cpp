#include "SkinControl.h"

TSkinControl* CreateSkinControl(TSkinnerKind kind, QWidget* control)
{
    return new TSkinControl(control, kind);
}
