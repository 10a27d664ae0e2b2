#include "SkinManager.h"
#include "CaptionButtonsAccessible.h"
#include "SkinData.h"
#include "SkinEvents.h"
#include "SkinMenuStyle.h"
#include "WinSkinForm.h"
#include "WinSkinPopMenu.h"

#include "framework/Events.h"
#include "framework/Form.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>

namespace {

TSkinManage* instance = nullptr;

// Windows the desktop never activates: tool tips, drop-down lists, windows that refuse the
// focus. They keep the look they draw themselves.
bool CanBeActivated(const QWidget* window)
{
    const Qt::WindowType type = window->windowType();
    if (type == Qt::ToolTip || type == Qt::Popup || type == Qt::Desktop || type == Qt::ForeignWindow)
        return false;
    const Qt::WindowFlags flags = window->windowFlags();
    return !(flags & (Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint))
        && !window->testAttribute(Qt::WA_ShowWithoutActivating);
}

} // namespace

TSkinManage* TSkinManage::Instance()
{
    return instance;
}

TSkinManage& TSkinManage::Create()
{
    if (!instance)
        instance = new TSkinManage();
    return *instance;
}

TSkinManage::TSkinManage() : QObject(QCoreApplication::instance()), menuStyle_(std::make_unique<TSkinMenuStyle>(*this))
{
    actionTimer_.setSingleShot(false);
    // Forms asked for their accessible interface from now on list their skinned caption buttons.
    InstallCaptionButtonAccessibility();
    connect(&actionTimer_, &QTimer::timeout, this, [this] { CallHandler([this] { RunPendingAction(); }); });
}

TSkinManage::~TSkinManage()
{
    actionTimer_.stop();
    // Going with the application object, there are no windows left to give back.
    if (QCoreApplication::instance()) {
        if (watching_)
            QCoreApplication::instance()->removeEventFilter(this);
        while (!windowSkinners_.empty())
            DetachAndFree(windowSkinners_.end() - 1);
    }
    windowSkinners_.clear();
    popupSkinners_.clear();
    if (instance == this)
        instance = nullptr;
}

void TSkinManage::SkinDataLoaded(TSkinData* data)
{
    RegisterSkinData(data);
    switch (data->SkinFormtype) {
    case sfMainform:
        if (!watching_) {
            qApp->installEventFilter(this);
            watching_ = true;
        }
        if (data->Active()) {
            if (data->SkinEmpty())
                data->SetActive(false);
            else
                RequestAction(data, kSkinOn);
        }
        break;
    case sfOnlyThisForm:
    case sfDialog:
        enabled_ = true;
        ++readyCounter_;
        if (auto* form = qobject_cast<TForm*>(data->Owner()))
            SkinWindow(form);
        break;
    }
}

void TSkinManage::RegisterSkinData(TSkinData* data)
{
    if (!skinData_.contains(data))
        skinData_.append(data);
}

void TSkinManage::UnregisterSkinData(TSkinData* data)
{
    skinData_.removeAll(data);
}

void TSkinManage::RequestAction(TSkinData* requester, TAction action, int delayMs)
{
    pendingAction_ = action;
    requester_ = requester;
    actionTimer_.setInterval(delayMs);
    if (readyCounter_ != 0)
        actionTimer_.start();
    else if (action == kSkinOn || action == kSkinOff)
        enabled_ = action == kSkinOn;
}

void TSkinManage::RunPendingAction()
{
    if (!requester_)
        return;
    actionTimer_.stop();
    TSkinData* requester = requester_;
    if (requester->SkinFormtype == sfOnlyThisForm)
        RunOnlyThisFormAction(requester, pendingAction_);
    else
        RunAction(requester, pendingAction_);
    if (const TNotifyEvent handler = requester->OnSkinChanged)
        CallHandler([&] { handler(requester); });
    requester_ = nullptr;
}

void TSkinManage::RunOnlyThisFormAction(TSkinData* requester, int action)
{
    const auto usesRequester = [requester](const std::unique_ptr<TWinSkinForm>& s) {
        return s->SkinData() == requester;
    };
    switch (action) {
    case kSkinOn: {
        enabled_ = true;
        const QList<TForm*> forms = TForm::Forms();
        for (auto it = forms.crbegin(); it != forms.crend(); ++it)
            if (*it == requester->Owner())
                SkinForm(*it);
        break;
    }
    case kSkinOff: {
        enabled_ = false;
        PurgeDestroyed();
        const auto last = std::find_if(windowSkinners_.rbegin(), windowSkinners_.rend(), usesRequester);
        if (last != windowSkinners_.rend())
            DetachAndFree(std::next(last).base());
        break;
    }
    case kSkinRefresh: {
        PurgeDestroyed();
        const auto first = std::find_if(windowSkinners_.begin(), windowSkinners_.end(), usesRequester);
        if (first != windowSkinners_.end()) {
            (*first)->RebuildCaptionButtons();
            (*first)->Refresh();
        }
        break;
    }
    case kPurge:
        PurgeDestroyed();
        break;
    }
}

void TSkinManage::RunAction(TSkinData* requester, int action)
{
    switch (action) {
    case kSkinOn: {
        enabled_ = true;
        PurgeDestroyed();
        // A copy: skinning a form can create windows.
        const QList<TForm*> forms = TForm::Forms();
        for (auto it = forms.crbegin(); it != forms.crend(); ++it)
            SkinForm(*it);
        break;
    }
    case kSkinOff:
        enabled_ = false;
        PurgeDestroyed();
        while (!windowSkinners_.empty())
            DetachAndFree(windowSkinners_.end() - 1);
        break;
    case kSkinRefresh:
        PurgeDestroyed();
        for (const auto& skinner : windowSkinners_)
            if (skinner->SkinData() == requester)
                skinner->RebuildCaptionButtons();
        for (const auto& skinner : windowSkinners_)
            if (skinner->SkinData() == requester)
                skinner->Refresh();
        break;
    case kPurge:
        PurgeDestroyed();
        break;
    }
}

void TSkinManage::DetachAndFree(std::vector<std::unique_ptr<TWinSkinForm>>::iterator at)
{
    std::unique_ptr<TWinSkinForm> skinner = std::move(*at);
    windowSkinners_.erase(at);
    skinner->Detach();
    if (QWidget* window = skinner->Window())
        window->repaint();
}

void TSkinManage::SkinForm(TForm* form)
{
    // A form placed inside another window is a control of that window.
    if (!form->isVisible() || !form->isWindow())
        return;
    SkinWindow(form);
}

bool TSkinManage::SkinWindow(QWidget* window)
{
    if (!enabled_ || AnswersSkinnedQuery(window))
        return false;
    PurgeDestroyed();
    if (FindWindowSkinner(window))
        return false;
    auto* form = qobject_cast<TForm*>(window);
    // There are no child windows of a multi-document frame here, and the application object is
    // not a window: the conditions on them never hold.
    if (window->size().isEmpty() || (form && form->Tag() == 99))
        return false;
    if (ClassVetoed(window))
        return false;
    TSkinData* data = FindSkinDataFor(window);
    if (!data || data->SkinEmpty())
        return false;
    auto skinner = std::make_unique<TWinSkinForm>(window);
    TWinSkinForm* attached = skinner.get();
    windowSkinners_.push_back(std::move(skinner));
    if (form)
        attached->AttachToForm(data, form);
    else
        attached->AttachToWindow(data);
    connect(window, &QObject::destroyed, this, &TSkinManage::PurgeDestroyed, Qt::QueuedConnection);
    // A window about to appear takes its skinned size first.
    if (window->testAttribute(Qt::WA_Mapped)) {
        QCoreApplication::postEvent(window, new TSkinMessage(kSkinAttachedMessage, 0, 1000));
    } else {
        TSkinMessage attachedMessage(kSkinAttachedMessage, 0, 1000);
        QCoreApplication::sendEvent(window, &attachedMessage);
    }
    return true;
}

TSkinData* TSkinManage::FirstMainFormData() const
{
    for (TSkinData* data : skinData_)
        if (data->SkinFormtype == sfMainform)
            return data;
    return nullptr;
}

bool TSkinManage::ClassVetoed(const QWidget* window) const
{
    TSkinData* data = FirstMainFormData();
    if (!data)
        return false;
    const QString className = QString::fromLatin1(window->metaObject()->className());
    bool doSkin = true;
    if (const TOnFormSkin handler = data->OnFormSkin)
        CallHandler([&] { handler(data, className, doSkin); });
    // A calendar is drawn as a whole; report designers are not part of this program.
    else if (className == u"QCalendarWidget")
        doSkin = false;
    return !doSkin;
}

TSkinData* TSkinManage::FindSkinDataFor(const QWidget* window) const
{
    for (auto it = skinData_.crbegin(); it != skinData_.crend(); ++it)
        if ((*it)->SkinFormtype == sfOnlyThisForm && (*it)->Owner() == window)
            return *it;
    // Message boxes and the other standard dialogs.
    if (qobject_cast<const QDialog*>(window))
        for (auto it = skinData_.crbegin(); it != skinData_.crend(); ++it)
            if ((*it)->SkinFormtype == sfDialog)
                return *it;
    for (auto it = skinData_.crbegin(); it != skinData_.crend(); ++it)
        if ((*it)->SkinFormtype == sfMainform)
            return *it;
    return skinData_.isEmpty() ? nullptr : skinData_.first();
}

TWinSkinForm* TSkinManage::FindWindowSkinner(const QWidget* window) const
{
    for (const auto& skinner : windowSkinners_)
        if (skinner->Window() == window && skinner->Lifecycle() != TWinSkinForm::lcDestroyed)
            return skinner.get();
    return nullptr;
}

void TSkinManage::PurgeDestroyed()
{
    std::erase_if(windowSkinners_, [](const auto& s) { return s->Lifecycle() == TWinSkinForm::lcDestroyed; });
}

bool TSkinManage::AttachPopup(QMenu* menu)
{
    if (!enabled_ || AnswersSkinnedQuery(menu) || FindPopupSkinner(menu))
        return false;
    TSkinData* data = FindSkinDataFor(menu);
    if (!data || data->SkinEmpty() || !data->SkinControls.test(xcMainMenu))
        return false;
    popupSkinners_.push_back(std::make_unique<TWinSkinPopMenu>(*this, menu, data, menuStyle_.get()));
    connect(menu, &QObject::destroyed, this, [this, menu] {
        if (TWinSkinPopMenu* popup = FindPopupSkinner(menu))
            popup->MenuDestroyed();
        DetachPopup(menu);
    });
    return true;
}

bool TSkinManage::DetachPopup(QMenu* menu)
{
    const auto it = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                                 [menu](const auto& p) { return p->Watched() == menu; });
    if (it == popupSkinners_.end())
        return false;
    popupSkinners_.erase(it);
    if (popupSkinners_.empty())
        menuTracking_ = false;
    return true;
}

TWinSkinPopMenu* TSkinManage::FindPopupSkinner(const QWidget* menu) const
{
    for (const auto& popup : popupSkinners_)
        if (popup->Watched() == menu)
            return popup.get();
    return nullptr;
}

void TSkinManage::WindowSeen(QWidget* window)
{
    if (readyCounter_ == 0)
        readyCounter_ = 1;
    SkinWindow(window);
}

bool TSkinManage::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() != QEvent::Polish && event->type() != QEvent::Show) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow())
        return false;
    // A menu is skinned when it is polished, before it measures itself for its first showing;
    // one polished earlier is skinned at its next showing.
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        if (AttachPopup(menu) && event->type() == QEvent::Show)
            menu->resize(menu->sizeHint()); // it was measured without the skin
        return false;
    }
    // A window is skinned when it is shown (before it appears; a window can be polished long
    // before), and asked again at every showing if it was turned down.
    if (event->type() == QEvent::Show && CanBeActivated(widget))
        CallHandler([&] { WindowSeen(widget); });
    return false;
}
