#include "SkinControl.h"
#include "SkinData.h"
#include "SkinEvents.h"
#include "WinSkinForm.h"

#include <QCoreApplication>
#include <QMetaProperty>
#include <QPainter>

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

void SendMouseLeave(QWidget* control)
{
    TSkinMessage leave(kControlMouseLeaveMessage);
    QCoreApplication::sendEvent(control, &leave);
}

TSkinControl::TSkinControl(QWidget* control, TSkinnerKind kind)
    : QObject(control), kind_(kind), control_(control), controlClass_(control->metaObject())
{
}

TSkinControl::~TSkinControl()
{
    if (TWinSkinForm* windowSkinner = WindowSkinner()) {
        if (windowSkinner->HotControl() == this)
            windowSkinner->SetHotControl(nullptr);
        windowSkinner->RemoveControlSkinner(this);
    }
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
    if (lifecycle_ != lcNew || !control_)
        return;
    windowSkinner_ = windowSkinner;
    skinData_ = skinData;
    elements_ = skinData->SharedElements();
    options_ = options;
    windowSkinner->AddControlSkinner(this);
    if (options_.recolour) {
        savedColour_ = ControlColour(control_);
        hadOwnPalette_ = control_->testAttribute(Qt::WA_SetPalette);
        SetControlColour(control_, ButtonFace());
    }
    if (SeesMessages())
        control_->installEventFilter(this);
    control_->update();
    lifecycle_ = lcAttached;
    Attached();
}

void TSkinControl::Restore()
{
    StopBeingHotControl();
    if (control_) {
        control_->removeEventFilter(this);
        for (const QPointer<QWidget>& part : parts_)
            if (part) {
                part->removeEventFilter(this);
                part->update();
            }
        // A control that followed its parent's palette follows it again.
        if (options_.recolour && savedColour_ != clNone) {
            if (HasPublishedColour(control_) || hadOwnPalette_)
                SetControlColour(control_, savedColour_);
            else
                control_->setPalette(QPalette());
        }
        control_->update();
    }
    lifecycle_ = lcRestored;
}

void TSkinControl::Refresh()
{
    if (!control_)
        return;
    if (SkinData())
        elements_ = SkinData()->SharedElements();
    if (options_.recolour)
        SetControlColour(control_, ButtonFace());
    control_->update();
    for (const QPointer<QWidget>& part : parts_)
        if (part)
            part->update();
}

bool TSkinControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event == passingOn_ || lifecycle_ != lcAttached || !ControlAlive())
        return false;
    // The control (or this skinner with it) may go while the event is handled.
    const QPointer<TSkinControl> self(this);
    const QPointer<QWidget> control(control_);
    if (watched != control_) {
        auto* part = qobject_cast<QWidget*>(watched);
        return part && !PartMessage(part, event);
    }
    if (!BeforeMessage(event))
        return true;
    if (!self || !control)
        return !control;
    if (event->type() == QEvent::Paint) {
        PassOn(control, event);
        if (self && ControlAlive())
            AfterMessage(event);
        return true;
    }
    AfterMessage(event);
    return !control;
}

bool TSkinControl::BeforeMessage(QEvent*)
{
    return true;
}

void TSkinControl::AfterMessage(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::EnabledChange:
        Repaint();
        break;
    case QEvent::Paint: {
        QPainter painter(control_);
        PaintFrame(painter);
        break;
    }
    default:
        break;
    }
}

bool TSkinControl::PartMessage(QWidget*, QEvent*)
{
    return true;
}

void TSkinControl::PaintFrame(QPainter& painter)
{
    lastWindowRect_ = QRect(control_->mapToGlobal(QPoint(0, 0)), control_->size());
    Paint(painter, control_->rect());
}

void TSkinControl::Paint(QPainter&, const QRect&)
{
}

void TSkinControl::Repaint()
{
    if (control_ && control_->parentWidget() && control_->isVisible())
        control_->repaint();
}

void TSkinControl::PassOn(QObject* target, QEvent* event)
{
    QEvent* const outer = passingOn_;
    const QPointer<TSkinControl> self(this);
    passingOn_ = event;
    QCoreApplication::sendEvent(target, event);
    if (self)
        passingOn_ = outer;
}

void TSkinControl::WatchPart(QWidget* part)
{
    if (!part || parts_.contains(part))
        return;
    parts_.append(part);
    part->installEventFilter(this);
    part->update();
}

void TSkinControl::SetState(TStateFlag flag, bool on)
{
    state_ = on ? (state_ | flag) : (state_ & ~flag);
}

const TSkinElements& TSkinControl::Elements() const
{
    static const TSkinElements none;
    return elements_ ? *elements_ : none;
}

QImage& TSkinControl::Canvas(const QSize& size)
{
    static QImage ownCanvas;
    if (TWinSkinForm* windowSkinner = WindowSkinner())
        return windowSkinner->ControlCanvas(size);
    if (ownCanvas.width() < size.width() || ownCanvas.height() < size.height())
        ownCanvas = QImage(size.expandedTo(ownCanvas.size()), QImage::Format_ARGB32_Premultiplied);
    return ownCanvas;
}

TColor TSkinControl::ButtonFace() const
{
    return elements_ ? elements_->Colours.ButtonFace : clBtnFace;
}

void TSkinControl::BecomeHotControl()
{
    TWinSkinForm* windowSkinner = WindowSkinner();
    if (!windowSkinner)
        return;
    TSkinControl* previous = windowSkinner->HotControl();
    if (previous && previous != this && previous->Control())
        SendMouseLeave(previous->Control());
    if (windowSkinner->HotControl() != this) {
        Repaint();
        windowSkinner->SetHotControl(this);
    }
}

void TSkinControl::StopBeingHotControl()
{
    if (TWinSkinForm* windowSkinner = WindowSkinner(); windowSkinner && windowSkinner->HotControl() == this)
        windowSkinner->SetHotControl(nullptr);
}

bool TSkinControl::ControlAlive() const
{
    return control_ && control_->metaObject() == controlClass_;
}
