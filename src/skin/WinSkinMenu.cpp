#include "WinSkinMenu.h"
#include "SkinData.h"
#include "SkinManager.h"
#include "SkinPrimitives.h"
#include "WinSkinForm.h"

#include "framework/Canvas.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>

namespace {

constexpr int kItemPadding = 10;

// The menu bar element when it has an image.
const TDataSkinObject* BarElement(const TSkinElements& e)
{
    return e.MenuBar && !e.MenuBar->Image.isNull() ? e.MenuBar.get() : nullptr;
}

QAction* FirstItem(const QMenu* menu)
{
    for (QAction* item : menu->actions())
        if (item->isVisible() && item->isEnabled() && !item->isSeparator())
            return item;
    return nullptr;
}

} // namespace

TMenuBtn::TMenuBtn(TWinSkinForm* owner, TWinSkinMenu& bar, int index, QAction* item)
    : TNCObject(owner), bar_(bar), index_(index), item_(item)
{
}

QString TMenuBtn::Caption() const
{
    return item_ ? item_->text() : QString();
}

bool TMenuBtn::Enabled() const
{
    return item_ && item_->isEnabled();
}

QMenu* TMenuBtn::SubMenu() const
{
    return item_ ? item_->menu() : nullptr;
}

void TMenuBtn::Press()
{
    TNCObject::Press();
    bar_.Open(index_);
}

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& owner, QMenuBar* menuBar)
    : owner_(owner), menu_(menuBar), watchedMenu_(menuBar), menuWasShown_(!menuBar->isHidden())
{
    menu_->hide();
    menu_->installEventFilter(this);
    ReadItems();
}

TWinSkinMenu::~TWinSkinMenu()
{
    if (Tracking())
        qApp->removeEventFilter(this);
    for (const QPointer<QShortcut>& shortcut : shortcuts_)
        delete shortcut.data();
    // A window being destroyed takes its menu bar with it.
    if (menu_.isNull() || owner_.Lifecycle() == TWinSkinForm::lcDestroyed)
        return;
    menu_->removeEventFilter(this);
    if (menuWasShown_)
        menu_->show();
}

int TWinSkinMenu::Height() const
{
    return menu_ ? menu_->sizeHint().height() : 0;
}

void TWinSkinMenu::ReadItems()
{
    rereadPending_ = false;
    owner_.ForgetObjects();
    items_.clear();
    if (!menu_)
        return;
    const QList<QAction*> actions = menu_->actions();
    for (int i = 0; i < actions.size(); ++i)
        items_.push_back(std::make_unique<TMenuBtn>(&owner_, *this, i, actions[i]));
    CreateShortcuts();
    if (!bar_.isEmpty())
        Layout(bar_);
}

void TWinSkinMenu::CreateShortcuts()
{
    for (const QPointer<QShortcut>& shortcut : shortcuts_)
        delete shortcut.data();
    shortcuts_.clear();
    for (const auto& item : items_) {
        const QKeySequence key = QKeySequence::mnemonic(item->Caption());
        if (key.isEmpty())
            continue;
        auto* shortcut = new QShortcut(key, owner_.Window(), nullptr, nullptr, Qt::WindowShortcut);
        const int index = item->Index();
        connect(shortcut, &QShortcut::activated, this, [this, index] { Open(index); });
        shortcuts_.append(shortcut);
    }
}

int TWinSkinMenu::ItemsStart() const
{
    const TSkinData* data = owner_.SkinData();
    const TDataSkinObject* element = data ? BarElement(*owner_.Elements()) : nullptr;
    if (!element)
        return 6;
    if (owner_.RightToLeft())
        return element->RightWidth + 8;
    return bar_.width() < element->Image.width() ? 12 : element->LeftWidth + 4;
}

void TWinSkinMenu::Layout(const QRect& bar)
{
    bar_ = bar;
    const QFontMetrics metrics(menu_ ? menu_->font() : QApplication::font());
    const bool rightToLeft = owner_.RightToLeft();
    int x = ItemsStart();
    for (const auto& item : items_) {
        item->Visible = item->Item() && item->Item()->isVisible();
        if (!item->Visible) {
            item->Rect = QRect();
            continue;
        }
        const int width = metrics.horizontalAdvance(StripPrefix(item->Caption())) + kItemPadding;
        const int left = rightToLeft ? bar_.right() + 1 - x - width : bar_.left() + x;
        item->Rect = QRect(left, bar_.top(), width, std::max(bar_.height() - 1, 0));
        x += width;
    }
}

void TWinSkinMenu::PaintBackground(QImage& frame, bool active) const
{
    if (bar_.isEmpty())
        return;
    const TSkinElements& e = *owner_.Elements();
    QPainter painter(&frame);
    const TDataSkinObject* element = BarElement(e);
    if (!element) {
        painter.fillRect(bar_, ToQColor(e.Colours.Menubar));
        return;
    }
    // TileMenu 1 stretches the middle between the fixed ends, anything else repeats it.
    const QImage background =
        ComposeNineSlice(bar_.size(), element->Image, {element->LeftWidth, 0, element->RightWidth, 0}, true,
                         element->Tile != 1, 2, active ? 1 : 2);
    painter.drawImage(bar_.topLeft(), background);
}

void TWinSkinMenu::PaintItems(QPainter& painter) const
{
    const TSkinElements& e = *owner_.Elements();
    painter.save();
    painter.setFont(menu_ ? menu_->font() : QApplication::font());
    for (const auto& item : items_) {
        if (!item->Visible)
            continue;
        painter.setPen(ToQColor(item->Enabled() ? e.Colours.MenuBarText : e.Colours.ButtonShadow));
        painter.drawText(item->Rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, item->Caption());
        if (item->State != TNCObject::stNormal) {
            painter.setPen(ToQColor(e.Colours.ButtonHilight));
            painter.drawRect(item->Rect.adjusted(0, 0, -1, -1));
        }
    }
    painter.restore();
}

TMenuBtn* TWinSkinMenu::ItemAt(QPoint pos) const
{
    for (const auto& item : items_)
        if (item->Visible && item->Rect.contains(pos))
            return item.get();
    return nullptr;
}

void TWinSkinMenu::Open(int index)
{
    if (index < 0 || index >= int(items_.size()))
        return;
    TMenuBtn& item = *items_[index];
    if (!item.Visible || !item.Enabled())
        return;
    QMenu* subMenu = item.SubMenu();
    if (!subMenu) {
        item.Leave();
        item.Item()->trigger();
        return;
    }
    owner_.OwnerDrawMenu(subMenu);
    if (!Tracking())
        qApp->installEventFilter(this);
    tracked_ = index;
    if (TSkinManage* manager = TSkinManage::Instance())
        manager->SetMenuTracking(true);
    if (item.State != TNCObject::stPressed) {
        owner_.SetHotObject(&item);
        item.State = TNCObject::stPressed;
        item.Draw();
    }
    dropDown_ = subMenu;
    // A click outside only closes it: the bar's own click opens nothing again.
    subMenu->setAttribute(Qt::WA_NoMouseReplay);
    connect(subMenu, &QMenu::aboutToHide, this, &TWinSkinMenu::DropDownClosed, Qt::UniqueConnection);
    QWidget* window = owner_.Window();
    const QPoint below = owner_.RightToLeft() ? item.Rect.bottomRight() + QPoint(1 - subMenu->sizeHint().width(), 1)
                                              : item.Rect.bottomLeft() + QPoint(0, 1);
    subMenu->popup(window->mapToGlobal(below));
    subMenu->setActiveAction(FirstItem(subMenu));
}

void TWinSkinMenu::DropDownClosed()
{
    if (switching_ || !Tracking())
        return;
    qApp->removeEventFilter(this);
    if (tracked_ < int(items_.size()))
        items_[tracked_]->Leave();
    tracked_ = -1;
    dropDown_ = nullptr;
    if (TSkinManage* manager = TSkinManage::Instance())
        manager->SetMenuTracking(false);
}

void TWinSkinMenu::SwitchTo(int index)
{
    if (index == tracked_ || !dropDown_)
        return;
    switching_ = true;
    dropDown_->hide();
    switching_ = false;
    if (tracked_ >= 0 && tracked_ < int(items_.size()))
        items_[tracked_]->Leave();
    // The new drop-down opens once the old one has gone.
    QMetaObject::invokeMethod(
        this, [this, index] { Open(index); }, Qt::QueuedConnection);
}

void TWinSkinMenu::Step(int direction)
{
    const int count = int(items_.size());
    for (int n = 1; n <= count; ++n) {
        const int i = ((tracked_ + direction * n) % count + count) % count;
        // Only drop-downs take part: an item without one would run its command.
        if (items_[i]->Visible && items_[i]->Enabled() && items_[i]->SubMenu()) {
            SwitchTo(i);
            return;
        }
    }
}

bool TWinSkinMenu::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == watchedMenu_
        && (type == QEvent::ActionAdded || type == QEvent::ActionRemoved || type == QEvent::ActionChanged)) {
        // The bar changed: read it again once the changes are done.
        if (owner_.SkinData() && owner_.SkinData()->MenuUpdate() && !rereadPending_) {
            rereadPending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    ReadItems();
                    owner_.RepaintFrameRect(bar_);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!Tracking() || !menu)
        return false;
    if (type == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (owner_.RightToLeft() && (key == Qt::Key_Left || key == Qt::Key_Right))
            key = key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left;
        if (key == Qt::Key_Left && menu == dropDown_) {
            Step(-1);
            return true;
        }
        const QAction* active = menu->activeAction();
        if (key == Qt::Key_Right && (!active || !active->menu())) {
            Step(+1);
            return true;
        }
        if (key == Qt::Key_Alt) {
            dropDown_->hide();
            return true;
        }
    } else if (type == QEvent::MouseMove) {
        const QPoint at = owner_.Window()->mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        if (TMenuBtn* over = ItemAt(at); over && over->Index() != tracked_ && over->Enabled())
            SwitchTo(over->Index());
    }
    return false;
}
