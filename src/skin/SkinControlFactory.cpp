#include "SkinBitButton.h"
#include "SkinBox.h"
#include "SkinButton.h"
#include "SkinComBox.h"
#include "SkinControl.h"
#include "SkinEdit.h"
#include "SkinGroupBox.h"
#include "SkinHeader.h"
#include "SkinProgress.h"
#include "SkinScrollbar.h"
#include "SkinSizer.h"
#include "SkinStatusBar.h"
#include "SkinTab.h"
#include "SkinToggle.h"
#include "SkinTrackBar.h"
#include "SkinUpDown.h"

TSkinControl* CreateSkinControl(TSkinnerKind kind, QWidget* control)
{
    switch (kind) {
    case TSkinnerKind::Tab:
        return new TSkinTab(control);
    case TSkinnerKind::Tab31:
        return new TSkinTab31(control);
    case TSkinnerKind::CheckBox:
        return new TSkinCheckBox(control);
    case TSkinnerKind::RadioButton:
        return new TSkinRadioButton(control);
    case TSkinnerKind::GroupBox:
        return new TSkinGroupBox(control);
    case TSkinnerKind::Box:
        return new TSkinBox(control);
    case TSkinnerKind::TrackBar:
        return new TSkinTrackBar(control);
    case TSkinnerKind::UpDown:
        return new TSkinUpDown(control);
    case TSkinnerKind::StatusBar:
        return new TSkinStatusBar(control);
    case TSkinnerKind::Progress:
        return new TSkinProgress(control);
    case TSkinnerKind::ScControl:
        return new TSkinScControl(control);
    case TSkinnerKind::ComBox:
        return new TSkinComBox(control);
    case TSkinnerKind::Edit:
        return new TSkinEdit(control);
    case TSkinnerKind::Scrollbar:
        return new TSkinScrollbar(control);
    case TSkinnerKind::ListView:
        return new TSkinListView(control);
    case TSkinnerKind::BitButton:
        return new TSkinBitButton(control);
    case TSkinnerKind::SpeedButton:
        return new TSkinSpeedButton(control);
    case TSkinnerKind::Button:
        return new TSkinButton(control);
    case TSkinnerKind::Sizer:
        return new TSkinSizer(control);
    case TSkinnerKind::Header:
        return new TSkinHeader(control);
    }
    return new TSkinControl(control, kind);
}
