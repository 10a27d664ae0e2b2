#include "SkinBitButton.h"
#include "SkinBox.h"
#include "SkinButton.h"
#include "SkinControl.h"
#include "SkinEdit.h"
#include "SkinGroupBox.h"
#include "SkinStatusBar.h"
#include "SkinToggle.h"
#include "SkinUpDown.h"

TSkinControl* CreateSkinControl(TSkinnerKind kind, QWidget* control)
{
    switch (kind) {
    case TSkinnerKind::CheckBox: return new TSkinCheckBox(control);
    case TSkinnerKind::RadioButton: return new TSkinRadioButton(control);
    case TSkinnerKind::GroupBox: return new TSkinGroupBox(control);
    case TSkinnerKind::Box: return new TSkinBox(control);
    case TSkinnerKind::UpDown: return new TSkinUpDown(control);
    case TSkinnerKind::StatusBar: return new TSkinStatusBar(control);
    case TSkinnerKind::Edit: return new TSkinEdit(control);
    case TSkinnerKind::BitButton: return new TSkinBitButton(control);
    case TSkinnerKind::SpeedButton: return new TSkinSpeedButton(control);
    case TSkinnerKind::Button: return new TSkinButton(control);
    default: return new TSkinControl(control, kind);
    }
}
