#include "WinSkinForm.h"
#include "CaptionButtonsAccessible.h"
#include "SkinControl.h"
#include "SkinData.h"
#include "SkinEvents.h"
#include "SkinMapping.h"
#include "SystemMenu.h"
#include "WinSkinMenu.h"

#include "framework/Form.h"
#include "framework/MainMenu.h"
#include "framework/PopupMenu.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleHints>
#include <QWindow>

#include <cmath>

namespace {

constexpr int kHoverMs = 250;

int FrameWidth(const TDataSkinObject& border)
{
    return border.Image.width() / std::max(border.FrameCount, 1);
}

int FrameHeight(const TDataSkinObject& border)
{
    return border.Image.height() / std::max(border.FrameCount, 1);
}

// The menu bar a window that is not a form shows (a main window's).
QMenuBar* ForeignMenuBar(QWidget* window)
{
    return window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

TWinSkinForm::TWinSkinForm(QWidget* window)
    : window_(window), captionFont_(QFontDatabase::systemFont(QFontDatabase::TitleFont))
{
    captionFont_.setBold(true);
    hoverTimer_.setInterval(kHoverMs);
    connect(&hoverTimer_, &QTimer::timeout, this, &TWinSkinForm::HoverTick);
    connect(window, &QObject::destroyed, this, &TWinSkinForm::WindowDestroyed);
}

TWinSkinForm::~TWinSkinForm()
{
    if (lifecycle_ != lcNew && lifecycle_ != lcDetaching && lifecycle_ != lcDestroyed)
        Detach();
}

void TWinSkinForm::AttachToForm(TSkinData* skinData, TForm* form)
{
    form_ = form;
    Attach(skinData);
}

void TWinSkinForm::AttachToWindow(TSkinData* skinData)
{
    foreignDialog_ = qobject_cast<QDialog*>(window_) != nullptr;
    Attach(skinData);
}

void TWinSkinForm::Attach(TSkinData* skinData)
{
    skinData_ = skinData;
    elements_ = skinData->SharedElements();
    frameSkinned_ = skinData->SkinControls.test(xcMainMenu);
    ReadWindowStyle();
    systemMenu_ = std::make_unique<TSystemMenu>(*this);
    clientSizeAtAttach_ = window_->size();
    resizedBeforeAttach_ = window_->testAttribute(Qt::WA_Resized);
    savedInsets_ = window_->contentsMargins();
    savedMouseTracking_ = window_->hasMouseTracking();

    if (frameSkinned_) {
        if (QMenuBar* bar = form_ ? form_->Menu() : ForeignMenuBar(window_))
            menuBar_ = std::make_unique<TWinSkinMenu>(*this, bar);
        if (showState_ != shMinimized)
            ShowFrame(false);
        RebuildCaptionButtons();
        window_->setMouseTracking(true);
        // The pointer over the client area is the client's, not the frame's resize arrows.
        if (form_ && !form_->ClientArea()->testAttribute(Qt::WA_SetCursor)) {
            form_->ClientArea()->setCursor(Qt::ArrowCursor);
            clientCursorSet_ = true;
        }
    }
    window_->installEventFilter(this);
    if (form_) {
        for (QObject* component : form_->Components())
            MapComponent(*this, component, form_);
    } else {
        MapForeignChildren(*this, window_);
    }
    // The form's background (or a foreign window's) takes the skin's ButtonFace.
    savedColour_ = form_ ? form_->Color() : ControlColour(window_);
    colourSaved_ = true;
    hadOwnPalette_ = window_->testAttribute(Qt::WA_SetPalette);
    if (form_)
        form_->SetColor(elements_->Colours.ButtonFace);
    else
        SetControlColour(window_, elements_->Colours.ButtonFace);
    if (form_ && frameSkinned_)
        PreparePopupMenus();
    window_->update();
}

void TWinSkinForm::ReadWindowStyle()
{
    const Qt::WindowFlags flags = window_->windowFlags();
    captionFlags_ = 0;
    if (flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint))
        captionFlags_ |= cfSystemMenu;
    if (flags & Qt::WindowMinimizeButtonHint)
        captionFlags_ |= cfMinimizeBox;
    if (flags & Qt::WindowMaximizeButtonHint)
        captionFlags_ |= cfMaximizeBox;
    rightToLeft_ = window_->layoutDirection() == Qt::RightToLeft;
    const Qt::WindowType type = window_->windowType();
    const bool fixedSize = window_->minimumSize() == window_->maximumSize();
    if ((flags & Qt::FramelessWindowHint) || type == Qt::Popup || type == Qt::SplashScreen || type == Qt::ToolTip)
        kind_ = wkBorderless;
    else if (qobject_cast<QDialog*>(window_) && !form_)
        kind_ = wkDialog;
    else if (!fixedSize)
        kind_ = wkSizeable;
    else
        kind_ = wkFixed;
    UpdateShowState();
    active_ = window_->isActiveWindow();
}

void TWinSkinForm::UpdateShowState()
{
    const Qt::WindowStates state = window_->windowState();
    if (state & Qt::WindowMinimized)
        SetShowState(shMinimized);
    else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen) || sizing_.MaximizedByHand())
        SetShowState(shMaximized);
    else
        SetShowState(shNormal);
}

void TWinSkinForm::SetShowState(TShowState state)
{
    if (state == showState_)
        return;
    const TShowState before = showState_;
    showState_ = state;
    AnnounceCaptionButtonNames(window_, before, state);
}

void TWinSkinForm::RebuildCaptionButtons()
{
    if (!skinData_ || !window_)
        return;
    elements_ = skinData_->SharedElements();
    const TSkinElements& e = *elements_;
    ForgetObjects();
    buttons_.clear();
    if (kind_ == wkBorderless) {
        borders_ = QMargins();
        menuHeight_ = 0;
    } else {
        borders_ = QMargins(FrameWidth(*e.Left), FrameHeight(*e.Top), FrameWidth(*e.Right), FrameHeight(*e.Bottom));
        menuHeight_ = menuBar_ ? menuBar_->Height() : 0;
    }
    for (const auto& entry : e.SysButtons)
        buttons_.push_back(std::make_unique<TWinSysButton>(this, elements_, *entry, window_->windowIcon()));
    ApplyInsets();
    LayoutButtons(LayoutCaption(window_->size()));
}

void TWinSkinForm::ApplyInsets()
{
    if (!frameSkinned_)
        return;
    const QMargins insets(borders_.left(), borders_.top() + menuHeight_, borders_.right(), borders_.bottom());
    if (form_)
        form_->SetNonClientInsets(insets);
    else
        window_->setContentsMargins(insets);
}

void TWinSkinForm::ShowFrame(bool show)
{
    if (show)
        captionFlags_ &= ~cfCaptionRemoved;
    else
        captionFlags_ |= cfCaptionRemoved;
    ApplyFrameless(!show);
}

void TWinSkinForm::ApplyFrameless(bool frameless)
{
    QWindow* handle = window_ ? window_->windowHandle() : nullptr;
    if (!handle)
        return; // applied when the window is shown
    Qt::WindowFlags flags = handle->flags();
    if (frameless)
        flags |= Qt::FramelessWindowHint;
    else if (!(window_->windowFlags() & Qt::FramelessWindowHint))
        flags &= ~Qt::FramelessWindowHint;
    if (flags != handle->flags())
        handle->setFlags(flags);
}

void TWinSkinForm::FinishAttach()
{
    if (lifecycle_ != lcNew)
        return;
    if (frameSkinned_ && showState_ == shNormal && kind_ != wkBorderless) {
        lifecycle_ = lcFirstSizing;
        // The client area keeps its size inside the skin's borders.
        const QSize frame(borders_.left() + borders_.right(), borders_.top() + menuHeight_ + borders_.bottom());
        if (form_)
            window_->resize(clientSizeAtAttach_ + frame);
        else if (resizedBeforeAttach_)
            window_->resize(window_->width(), clientSizeAtAttach_.height() + frame.height());
        lifecycle_ = lcReady;
        Reshape(true);
    }
    lifecycle_ = lcReady;
    if (active_)
        hoverTimer_.start();
    window_->update();
}

void TWinSkinForm::WidenForCaption()
{
    const TDataSkinTitle& title = *elements_->Title;
    const QFontMetrics metrics(CaptionFont());
    const int needed = (int(window_->windowTitle().size()) + 7) * metrics.horizontalAdvance(QLatin1Char(' '))
        + borders_.left() + borders_.right() + title.TextShift() + title.TextRightClip() + title.TXTBackleft
        + title.TXTBackRight;
    if (window_->width() >= needed)
        return;
    if (window_->minimumWidth() == window_->maximumWidth())
        window_->setFixedWidth(needed);
    else
        window_->resize(needed, window_->height());
}

void TWinSkinForm::Detach()
{
    if (lifecycle_ == lcDestroyed || !window_) {
        lifecycle_ = lcDestroyed;
        return;
    }
    lifecycle_ = lcDetaching;
    hoverTimer_.stop();
    drag_.End();
    systemMenu_.reset();
    window_->removeEventFilter(this);
    FreeControlSkinners();
    UndoOwnerDrawnMenus();
    if (colourSaved_) {
        if (form_)
            form_->SetColor(savedColour_);
        else if (hadOwnPalette_)
            SetControlColour(window_, savedColour_);
        else
            window_->setPalette(QPalette());
    }
    if (frameSkinned_) {
        ForgetObjects();
        buttons_.clear();
        menuBar_.reset();
        ShowFrame(true);
        const QMargins insets = window_->contentsMargins();
        window_->setContentsMargins(savedInsets_);
        window_->setMouseTracking(savedMouseTracking_);
        window_->unsetCursor();
        if (clientCursorSet_ && form_)
            form_->ClientArea()->unsetCursor();
        // The client area keeps its size under the window manager's frame.
        const QSize frame(insets.left() + insets.right() - savedInsets_.left() - savedInsets_.right(),
                          insets.top() + insets.bottom() - savedInsets_.top() - savedInsets_.bottom());
        if (showState_ == shNormal && (form_ || resizedBeforeAttach_))
            window_->resize(window_->size() - QSize(form_ ? frame.width() : 0, frame.height()));
        window_->clearMask();
        region_ = QRegion();
        regionSize_ = QSize();
    }
    window_->update();
}

void TWinSkinForm::FreeControlSkinners()
{
    const QList<QPointer<TSkinControl>> skinners = controlSkinners_;
    controlSkinners_.clear();
    for (const QPointer<TSkinControl>& skinner : skinners) {
        if (!skinner)
            continue;
        skinner->Restore();
        delete skinner.data();
    }
}

void TWinSkinForm::Refresh()
{
    if (!window_ || !skinData_)
        return;
    lifecycle_ = lcRefreshing;
    elements_ = skinData_->SharedElements();
    if (form_)
        form_->SetColor(elements_->Colours.ButtonFace);
    else
        SetControlColour(window_, elements_->Colours.ButtonFace);
    for (const QPointer<TSkinControl>& skinner : controlSkinners_)
        if (skinner)
            skinner->Refresh();
    if (form_ && frameSkinned_) {
        UndoOwnerDrawnMenus();
        PreparePopupMenus();
    }
    ApplyInsets();
    LayoutButtons(LayoutCaption(window_->size()));
    lifecycle_ = lcReady;
    Reshape(true);
    window_->update();
}

void TWinSkinForm::WindowDestroyed()
{
    lifecycle_ = lcDestroyed;
    hoverTimer_.stop();
    ForgetObjects();
    // What the skinner made goes with the window, not whenever the skinner is purged (at the
    // end of the program that may be after the application object).
    buttons_.clear();
    menuBar_.reset();
    systemMenu_.reset();
}

QRect TWinSkinForm::ClientRect() const
{
    if (!window_)
        return {};
    return window_->rect().marginsRemoved(
        QMargins(borders_.left(), borders_.top() + menuHeight_, borders_.right(), borders_.bottom()));
}

TCaptionState TWinSkinForm::CaptionState() const
{
    TCaptionState state;
    state.maximised = showState_ == shMaximized;
    state.active = active_;
    state.maximizeBox = captionFlags_ & cfMaximizeBox;
    state.minimizeBox = captionFlags_ & cfMinimizeBox;
    state.systemMenu = captionFlags_ & cfSystemMenu;
    state.dialog = kind_ == wkDialog;
    return state;
}

TCaptionLayout TWinSkinForm::LayoutCaption(const QSize& size) const
{
    TCaptionLayout layout;
    if (!elements_)
        return layout;
    const TDataSkinTitle& title = *elements_->Title;
    layout.caption = QRect(borders_.left(), 0, size.width() - borders_.left() - borders_.right(), borders_.top());
    layout.label = QLatin1Char(' ') + (window_ ? window_->windowTitle() : QString()) + QStringLiteral("  ");
    // Rounded up, so the text drawn in it is never cut short.
    const int textWidth = int(std::ceil(QFontMetricsF(captionFont_).horizontalAdvance(layout.label)))
        + title.TXTBackleft + title.TXTBackRight;
    const int width = layout.caption.width();
    int offset = title.TextShift();
    if (rightToLeft_ || title.TextAlignment == 2)
        offset = width - title.TextRightClip() - textWidth;
    else if (title.TextAlignment == 1)
        offset = (width - textWidth) / 2;
    else if (kind_ == wkDialog)
        offset -= 16;
    const int left = layout.caption.left() + offset;
    const int right = std::min(left + textWidth, layout.caption.right() + 1 - title.TextRightClip());
    layout.text = QRect(left, 0, std::max(right - left, 0), borders_.top());
    return layout;
}

void TWinSkinForm::LayoutButtons(const TCaptionLayout& layout)
{
    if (!window_)
        return;
    const TCaptionState state = CaptionState();
    const int width = window_->width();
    for (const auto& button : buttons_) {
        button->Visible = button->ComputeVisible(state);
        if (!button->Visible) {
            button->Rect = QRect();
            continue;
        }
        const TDataSkinSysButton& e = button->Element();
        const QSize size = button->Size();
        QPoint at(e.Xcoord, e.Ycoord);
        switch (e.Align) {
        case 1:
            at.setX(width - e.Xcoord);
            break;
        case 2:
        case 8:
            at.setX(layout.text.left() - size.width() - e.Xcoord);
            break;
        case 3:
        case 9:
            at.setX(layout.text.right() + 1 + e.Xcoord);
            break;
        default:
            break;
        }
        button->Rect = QRect(at, size);
    }
}

void TWinSkinForm::SetHotObject(TNCObject* object)
{
    if (hot_ == object)
        return;
    TNCObject* previous = hot_;
    hot_ = object;
    if (previous && object)
        previous->Leave();
}

TNCObject* TWinSkinForm::ObjectAt(QPoint pos) const
{
    for (const auto& button : buttons_)
        if (button->Visible && button->Action() >= 0 && button->Rect.contains(pos))
            return button.get();
    return menuBar_ ? menuBar_->ItemAt(pos) : nullptr;
}

void TWinSkinForm::RepaintFrameRect(const QRect& rect)
{
    if (window_ && !rect.isEmpty())
        window_->update(rect);
}

void TWinSkinForm::PerformAction(int action, QPoint at)
{
    if (!window_)
        return;
    switch (action) {
    case 0:
        hoverTimer_.stop();
        QMetaObject::invokeMethod(window_, &QWidget::close, Qt::QueuedConnection);
        break;
    case 1:
    case 22:
        showState_ == shMaximized ? Restore() : Maximize();
        break;
    case 2:
    case 23:
        showState_ == shMinimized ? Restore() : Minimize();
        break;
    case 3:
    case 11:
    case 12:
        OpenSystemMenu(at + QPoint(1, 1));
        break;
    case 7:
    case 8:
    case 9:
    case 60:
    case 61:
    case 62:
        break; // the buttons of child windows: there are none here
    default:
        QCoreApplication::postEvent(window_, new TSkinMessage(kCaptionActionMessage, action));
        break;
    }
}

void TWinSkinForm::Maximize()
{
    SetShowState(shMaximized);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (window_)
                sizing_.Maximize(window_);
        },
        Qt::QueuedConnection);
}

void TWinSkinForm::Minimize()
{
    SetShowState(shMinimized);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (window_)
                sizing_.Minimize(window_);
        },
        Qt::QueuedConnection);
}

void TWinSkinForm::Restore()
{
    SetShowState(shNormal);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (window_)
                sizing_.Restore(window_);
        },
        Qt::QueuedConnection);
}

void TWinSkinForm::OpenSystemMenu(QPoint globalPos)
{
    // A second opening within a double click (on the window-icon button) closes the window.
    if (systemMenuOpened_.isValid()
        && systemMenuOpened_.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval() && hot_) {
        systemMenuOpened_.invalidate();
        PerformAction(0);
        return;
    }
    systemMenuOpened_.start();
    if (systemMenu_)
        systemMenu_->Open(globalPos);
}

void TWinSkinForm::AddControlSkinner(TSkinControl* skinner)
{
    if (!controlSkinners_.contains(skinner))
        controlSkinners_.append(skinner);
}

void TWinSkinForm::RemoveControlSkinner(TSkinControl* skinner)
{
    controlSkinners_.removeAll(skinner);
}

bool TWinSkinForm::HasSkinnerFor(const QWidget* control) const
{
    for (const QPointer<TSkinControl>& skinner : controlSkinners_)
        if (skinner && skinner->Control() == control)
            return true;
    return false;
}

QImage& TWinSkinForm::ControlCanvas(const QSize& size)
{
    if (controlCanvas_.width() < size.width() || controlCanvas_.height() < size.height())
        controlCanvas_ = QImage(size.expandedTo(controlCanvas_.size()), QImage::Format_ARGB32_Premultiplied);
    return controlCanvas_;
}

QList<TSkinControl*> TWinSkinForm::ControlSkinners() const
{
    QList<TSkinControl*> skinners;
    for (const QPointer<TSkinControl>& skinner : controlSkinners_)
        if (skinner)
            skinners.append(skinner);
    return skinners;
}

void TWinSkinForm::OwnerDrawMenu(QMenu* menu)
{
    const auto mark = [this](QMenu* m, int kind, const auto& self) -> void {
        if (m->property(kSkinItemsProperty).toInt() == 0) {
            m->setProperty(kSkinItemsProperty, kind);
            ownerDrawnMenus_.append(m);
        }
        for (QAction* item : m->actions())
            if (QMenu* sub = item->menu())
                self(sub, kind, self);
    };
    mark(menu, qobject_cast<TPopupMenu*>(menu) ? 2 : 1, mark);
}

void TWinSkinForm::PreparePopupMenus()
{
    if (!skinData_->SkinControls.test(xcPopupMenu))
        return;
    for (QObject* component : form_->Components())
        if (auto* menu = qobject_cast<TPopupMenu*>(component))
            if (menu->Tag() % 100 != skinData_->DisableTag())
                OwnerDrawMenu(menu);
}

void TWinSkinForm::UndoOwnerDrawnMenus()
{
    for (const QPointer<QMenu>& menu : ownerDrawnMenus_)
        if (menu)
            menu->setProperty(kSkinItemsProperty, QVariant());
    ownerDrawnMenus_.clear();
}

void TWinSkinForm::Reshape(bool force)
{
    if (!window_ || !frameSkinned_ || kind_ == wkBorderless || (lifecycle_ != lcReady && lifecycle_ != lcRefreshing))
        return;
    const QSize size = window_->size();
    if (!force && size == regionSize_)
        return;
    regionSize_ = size;
    const TSkinElements& e = *elements_;
    if (!e.Left->Trans && !e.Right->Trans && !e.Top->Trans && !e.Bottom->Trans) {
        region_ = QRegion(window_->rect());
        window_->clearMask();
        return;
    }
    region_ = RegionOf(ComposeFrame(size, LayoutCaption(size)));
    window_->setMask(region_);
}

bool TWinSkinForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    if (TSkinMessage::Is(event, kSkinnedQueryMessage)) {
        static_cast<TSkinMessage*>(event)->Result = 1;
        return true;
    }
    if (TSkinMessage::Is(event, kSkinAttachedMessage)) {
        FinishAttach();
        return true;
    }
    if (TSkinMessage::Is(event, kSkinRefreshMessage)) {
        Refresh();
        return true;
    }
    if (TSkinMessage::Is(event, kFrameRefreshMessage)) {
        RepaintFrameRect(window_->rect());
        return true;
    }
    if (!frameSkinned_ || kind_ == wkBorderless)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        // Showing again may have made the window anew, with the toolkit's frame.
        if (captionFlags_ & cfCaptionRemoved)
            ApplyFrameless(true);
        if (foreignDialog_) {
            static_cast<QObject*>(window_)->event(event);
            WidenForCaption();
            return true;
        }
        break;
    case QEvent::Paint: {
        static_cast<QObject*>(window_)->event(event);
        QPainter painter(window_);
        PaintNonClient(painter);
        return true;
    }
    case QEvent::Resize:
        UpdateShowState();
        LayoutButtons(LayoutCaption(window_->size()));
        Reshape();
        break;
    case QEvent::WindowStateChange:
        UpdateShowState();
        LayoutButtons(LayoutCaption(window_->size()));
        Reshape(true);
        RepaintFrameRect(window_->rect());
        break;
    case QEvent::ActivationChange:
        active_ = window_->isActiveWindow();
        if (active_) {
            hoverTimer_.start();
        } else {
            hoverTimer_.stop();
            if (!form_ && hot_)
                hot_->Leave();
        }
        LayoutButtons(LayoutCaption(window_->size()));
        RepaintFrameRect(window_->rect());
        break;
    case QEvent::WindowTitleChange:
        LayoutButtons(LayoutCaption(window_->size()));
        RepaintFrameRect(QRect(0, 0, window_->width(), borders_.top()));
        if (foreignDialog_ && window_->isVisible())
            WidenForCaption();
        break;
    case QEvent::WindowIconChange:
        RebuildCaptionButtons();
        RepaintFrameRect(QRect(0, 0, window_->width(), borders_.top()));
        break;
    case QEvent::LayoutDirectionChange:
        rightToLeft_ = window_->layoutDirection() == Qt::RightToLeft;
        LayoutButtons(LayoutCaption(window_->size()));
        RepaintFrameRect(window_->rect());
        break;
    case QEvent::Hide:
        hoverTimer_.stop();
        break;
    case QEvent::Leave:
        if (hot_ && hot_->State != TNCObject::stPressed)
            hot_->Leave();
        UpdateCursor(QPoint(-1, -1));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return HandleMouse(event);
    case QEvent::ContextMenu:
        // The right button in the frame opened the system menu.
        return !ClientRect().contains(static_cast<QContextMenuEvent*>(event)->pos());
    default:
        break;
    }
    return false;
}
