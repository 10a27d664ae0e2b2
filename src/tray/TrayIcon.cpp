#include "TrayIcon.h"

#include "framework/Application.h"
#include "framework/ComponentReference.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace {

TShiftState KeyShiftState()
{
    const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
    TShiftState shift = 0;
    if (keys & Qt::ShiftModifier)
        shift |= ssShift;
    if (keys & Qt::AltModifier)
        shift |= ssAlt;
    if (keys & Qt::ControlModifier)
        shift |= ssCtrl;
    return shift;
}

} // namespace

TTrayIcon::TTrayIcon(QObject* owner) : TComponent(owner), tray_(new QSystemTrayIcon(this))
{
    connect(tray_, &QSystemTrayIcon::activated, this, &TTrayIcon::Activated);
    cycleTimer_.setInterval(int(cycleInterval_));
    connect(&cycleTimer_, &QTimer::timeout, this, [this] { CallHandler([this] { CycleStep(); }); });
    ownerForm_ = qobject_cast<TForm*>(owner);
    // The owner form carries both hooks: minimise-to-tray and the foreground on show.
    if (ownerForm_)
        ownerForm_->installEventFilter(this);
}

TTrayIcon::~TTrayIcon()
{
    HideIcon();
}

void TTrayIcon::Loaded()
{
    loaded_ = true;
    ApplyStartMinimized();
    ModifyIcon();
    SetIconVisible(iconVisible_);
}

void TTrayIcon::FillRecord()
{
    data_.hIcon = icon_;
    data_.szTip = !hint_.isEmpty() && showHint_ ? hint_.left(TNotifyIconData::kTipSize - 1) : QString();
}

void TTrayIcon::ApplyRecord()
{
    tray_->setIcon(data_.hIcon);
    tray_->setToolTip(data_.szTip);
    // The tray refuses an icon without a picture; it is added once it has one.
    tray_->setVisible(added_ && !data_.hIcon.isNull());
}

void TTrayIcon::ShowIcon()
{
    PlaceIcon(true);
}

void TTrayIcon::HideIcon()
{
    PlaceIcon(false);
}

void TTrayIcon::PlaceIcon(bool inTray)
{
    if (!previewChanging_)
        iconVisible_ = inTray;
    FillRecord();
    added_ = inTray;
    ApplyRecord();
}

void TTrayIcon::ModifyIcon()
{
    FillRecord();
    ApplyRecord();
}

void TTrayIcon::SetDesignPreview(bool preview)
{
    designPreview_ = preview;
    previewChanging_ = true;
    SetIconVisible(preview);
    previewChanging_ = false;
}

void TTrayIcon::SetStartMinimized(bool start)
{
    startMinimized_ = start;
    if (loaded_)
        ApplyStartMinimized();
}

void TTrayIcon::ApplyStartMinimized()
{
    if (startMinimized_ && CanHideToTray() && Application)
        Application->ShowMainForm = false;
}

void TTrayIcon::SetIconList(TImageList* list)
{
    SetComponentReference(*this, iconList_, list);
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool cycle)
{
    cycleIcons_ = cycle;
    if (cycle)
        SetIconIndex(0);
    if (cycle && cycleInterval_ > 0)
        cycleTimer_.start();
    else
        cycleTimer_.stop();
}

void TTrayIcon::SetCycleInterval(unsigned ms)
{
    cycleInterval_ = ms;
    cycleTimer_.setInterval(int(ms));
    // A period of 0 never fires.
    if (ms == 0)
        cycleTimer_.stop();
    else if (cycleIcons_)
        cycleTimer_.start();
}

void TTrayIcon::SetHint(const QString& hint)
{
    hint_ = hint;
    ModifyIcon();
}

void TTrayIcon::SetShowHint(bool show)
{
    showHint_ = show;
    ModifyIcon();
}

void TTrayIcon::SetIcon(const QIcon& icon)
{
    icon_ = icon;
    ModifyIcon();
}

void TTrayIcon::SetIconVisible(bool visible)
{
    if (visible)
        ShowIcon();
    else
        HideIcon();
}

void TTrayIcon::SetIconIndex(int index)
{
    if (iconList_ && iconList_->Count() > 0) {
        iconIndex_ = std::clamp(index, 0, iconList_->Count() - 1);
        icon_ = iconList_->Icon(iconIndex_);
    } else {
        iconIndex_ = 0;
    }
    ModifyIcon();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu)
{
    SetComponentReference(*this, popupMenu_, menu);
}

void TTrayIcon::CycleStep()
{
    if (!iconList_ || iconList_->Count() == 0)
        return;
    icon_ = iconList_->Icon(iconIndex_);
    const int next = iconIndex_ >= iconList_->Count() - 1 ? 0 : iconIndex_ + 1;
    Cycle(next);
    ModifyIcon();
    SetIconIndex(next);
}

void TTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason)
{
    // The tray reports presses only; each becomes the press and release the handler expects.
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        HandleTrayMessage(WM_LBUTTONDOWN);
        HandleTrayMessage(WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::DoubleClick:
        HandleTrayMessage(WM_LBUTTONDBLCLK);
        HandleTrayMessage(WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::Context:
        HandleTrayMessage(WM_RBUTTONDOWN);
        HandleTrayMessage(WM_RBUTTONUP);
        break;
    case QSystemTrayIcon::MiddleClick:
        HandleTrayMessage(WM_MBUTTONDOWN);
        HandleTrayMessage(WM_MBUTTONUP);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void TTrayIcon::HandleTrayMessage(unsigned message)
{
    if (!Enabled)
        return;
    const QPoint at = QCursor::pos();
    const TShiftState keys = KeyShiftState();
    switch (message) {
    case WM_MOUSEMOVE:
        MouseMove(keys, at.x(), at.y());
        break;
    case WM_LBUTTONDOWN:
        MouseDown(mbLeft, keys | ssLeft, at.x(), at.y());
        clickPending_ = true;
        if (LeftPopup)
            OpenPopupMenu();
        break;
    case WM_LBUTTONUP:
        if (clickPending_) {
            clickPending_ = false;
            Click();
        }
        MouseUp(mbLeft, keys | ssLeft, at.x(), at.y());
        break;
    case WM_LBUTTONDBLCLK:
        DblClick();
        if (popupMenu_ && popupMenu_->AutoPopup() && !LeftPopup) {
            const QList<QAction*> items = popupMenu_->actions();
            for (auto it = items.crbegin(); it != items.crend(); ++it)
                if (*it == popupMenu_->defaultAction()) {
                    (*it)->trigger();
                    break;
                }
        }
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, keys | ssRight, at.x(), at.y());
        OpenPopupMenu();
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, keys | ssRight, at.x(), at.y());
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, keys | ssMiddle, at.x(), at.y());
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, keys | ssMiddle, at.x(), at.y());
        break;
    default:
        break;
    }
}

void TTrayIcon::OpenPopupMenu()
{
    if (!popupMenu_ || !popupMenu_->AutoPopup())
        return;
    QCoreApplication::processEvents();
    if (ownerForm_ && ownerForm_->isVisible())
        ownerForm_->activateWindow();
    popupMenu_->SetPopupComponent(this);
    popupMenu_->popup(QCursor::pos());
    // Asked for without a button held, the tray's keyboard path (Menu key, Shift+F10 on the
    // icon) opened it: the first item is marked, so the arrows and Enter start from there.
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        for (QAction* item : popupMenu_->actions())
            if (item->isVisible() && item->isEnabled() && !item->isSeparator()) {
                popupMenu_->setActiveAction(item);
                break;
            }
}

void TTrayIcon::Click()
{
    if (OnClick)
        CallHandler([this] { OnClick(this); });
}

void TTrayIcon::DblClick()
{
    if (OnDblClick)
        CallHandler([this] { OnDblClick(this); });
}

void TTrayIcon::Cycle(int nextIndex)
{
    if (OnCycle)
        CallHandler([&] { OnCycle(this, nextIndex); });
}

void TTrayIcon::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        CallHandler([&] { OnMouseDown(this, button, shift, x, y); });
}

void TTrayIcon::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        CallHandler([&] { OnMouseUp(this, button, shift, x, y); });
}

void TTrayIcon::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        CallHandler([&] { OnMouseMove(this, shift, x, y); });
}

void TTrayIcon::MinimizeToTrayHandler()
{
    HideMainWindow();
    ShowIcon();
}

bool TTrayIcon::CanHideToTray() const
{
    return iconVisible_ && TrayAvailable && TrayAvailable();
}

void TTrayIcon::RevealMainWindow()
{
    if (ownerForm_)
        ownerForm_->Show();
}

void TTrayIcon::HideMainWindow()
{
    if (!ownerForm_)
        return;
    if (CanHideToTray())
        ownerForm_->hide();
    else
        ownerForm_->showMinimized();
}

bool TTrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    // The event's type first: while the form is being destroyed its child events still pass
    // here, and by then it is no TForm any more for the pointer to be read.
    const bool wanted =
        event->type() == QEvent::WindowStateChange || (event->type() == QEvent::Show && !event->spontaneous());
    if (!wanted || watched != ownerForm_)
        return false;
    if (event->type() == QEvent::WindowStateChange && MinimizeToTray && CanHideToTray()
        && (ownerForm_->windowState() & Qt::WindowMinimized)
        && !(static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized)) {
        // Hidden after the state change has been handled, not from inside it.
        QMetaObject::invokeMethod(this, [this] { CallHandler([this] { MinimizeToTrayHandler(); }); },
                                  Qt::QueuedConnection);
    } else if (event->type() == QEvent::Show) {
        ownerForm_->raise();
        ownerForm_->activateWindow();
    }
    return false;
}
