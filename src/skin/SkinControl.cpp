#include "SkinControl.h"
#include "SkinData.h"
#include "WinSkinForm.h"

#include <QMetaProperty>

namespace {

const char* const kColourProperty = "Color";

bool HasPublishedColour(const QWidget* control)
{
    return control->metaObject()->indexOfProperty(kColourProperty) >= 0;
}

} // namespace

const char* SkinnerClassName(TSkinnerKind kind)
{
    switch (kind) {
    case TSkinnerKind::Tab: return "TSkinTab";
    case TSkinnerKind::Tab31: return "TSkinTab31";
    case TSkinnerKind::CheckBox: return "TSkinCheckBox";
    case TSkinnerKind::RadioButton: return "TSkinRadioButton";
    case TSkinnerKind::GroupBox: return "TSkinGroupBox";
    case TSkinnerKind::Box: return "TSkinBox";
    case TSkinnerKind::TrackBar: return "TSkinTrackBar";
    case TSkinnerKind::UpDown: return "TSkinUpDown";
    case TSkinnerKind::StatusBar: return "TSkinStatusBar";
    case TSkinnerKind::Progress: return "TSkinProgress";
    case TSkinnerKind::ScControl: return "TSkinScControl";
    case TSkinnerKind::ComBox: return "TSkinComBox";
    case TSkinnerKind::Edit: return "TSkinEdit";
    case TSkinnerKind::Scrollbar: return "TSkinScrollbar";
    case TSkinnerKind::ListView: return "TSkinListView";
    case TSkinnerKind::BitButton: return "TSkinBitButton";
    case TSkinnerKind::SpeedButton: return "TSkinSpeedButton";
    case TSkinnerKind::Button: return "TSkinButton";
    case TSkinnerKind::Sizer: return "TSkinSizer";
    case TSkinnerKind::Header: return "TSkinHeader";
    }
    return "TSkinControl";
}

TColor ControlColour(const QWidget* control)
{
    if (HasPublishedColour(control))
        return control->property(kColourProperty).toUInt();
    return FromQColor(control->palette().color(control->backgroundRole()));
}

void SetControlColour(QWidget* control, TColor colour)
{
    if (HasPublishedColour(control)) {
        control->setProperty(kColourProperty, uint(colour));
        return;
    }
    QPalette colours = control->palette();
    colours.setColor(control->backgroundRole(), ToQColor(colour));
    control->setPalette(colours);
}

TSkinControl::TSkinControl(QWidget* control, TSkinnerKind kind) : QObject(control), kind_(kind), control_(control) {}

TSkinControl::~TSkinControl()
{
    if (TWinSkinForm* windowSkinner = WindowSkinner())
        windowSkinner->RemoveControlSkinner(this);
}

TSkinData* TSkinControl::SkinData() const
{
    return static_cast<TSkinData*>(skinData_.data());
}

TWinSkinForm* TSkinControl::WindowSkinner() const
{
    return static_cast<TWinSkinForm*>(windowSkinner_.data());
}

void TSkinControl::Init(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options)
{
    Attach(windowSkinner, skinData, options);
}

void TSkinControl::InitWindow(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options)
{
    Attach(windowSkinner, skinData, options);
}

void TSkinControl::Attach(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options)
{
    if (lifecycle_ != lcNew)
        return;
    windowSkinner_ = windowSkinner;
    skinData_ = skinData;
    options_ = options;
    windowSkinner->AddControlSkinner(this);
    if (options_.recolour && control_) {
        savedColour_ = ControlColour(control_);
        SetControlColour(control_, ButtonFace());
    }
    if (control_)
        control_->update();
    lifecycle_ = lcAttached;
}

void TSkinControl::Restore()
{
    if (options_.recolour && control_ && savedColour_ != clNone)
        SetControlColour(control_, savedColour_);
    lifecycle_ = lcRestored;
}

void TSkinControl::Refresh()
{
    if (!control_)
        return;
    if (options_.recolour)
        SetControlColour(control_, ButtonFace());
    control_->update();
}

TColor TSkinControl::ButtonFace() const
{
    return SkinData() ? SkinData()->Elements().Colours.ButtonFace : clBtnFace;
}

TSkinControl* CreateSkinControl(TSkinnerKind kind, QWidget* control)
{
    // Every kind starts from the base: attachment and recolouring. A skinner class that paints
    // gets its own case here.
    return new TSkinControl(control, kind);
}
