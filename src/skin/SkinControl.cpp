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

TSkinControl::TSkinControl(QWidget* control, TSkinnerKind kind) : QObject(control), kind_(kind), control_(control)
{
}

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
