#include "CommandBarAccessible.h"

#include "CommandBar.h"
#include "framework/AccessibleParts.h"
#include "framework/Canvas.h"

#include <QAccessibleWidget>
#include <QKeySequence>

namespace {

// What a caption says, without its "&" marks.
QString SpokenCaption(const QString& caption)
{
    return StripPrefix(caption);
}

QList<TCommandPanel*> VisiblePanels(const TCommandBar* bar)
{
    QList<TCommandPanel*> panels;
    for (int p = 0; p < bar->Panels.Count(); ++p)
        if (bar->Panels[p]->Visible())
            panels.append(bar->Panels[p]);
    return panels;
}

// Whether `item` is one of the items the bar offers now.
bool Offers(const TCommandBar* bar, TCommandItem* item)
{
    const TCommandPanel* active = bar ? bar->ActivePanel() : nullptr;
    return active && active->VisibleItems().contains(item);
}

// The area the active panel's rows are drawn in.
QRect RowArea(const TCommandBar* bar)
{
    return QRect(QPoint(0, bar->ItemsTop()), QPoint(bar->width() - 1, bar->ItemsBottom() - 1));
}

class CommandBarAccessible;

CommandBarAccessible* BarInterface(TCommandBar* bar);

// A part of a command bar: a panel or an item.
class CommandBarPart : public AccessibleWidgetPart {
public:
    explicit CommandBarPart(TCommandBar* bar) : AccessibleWidgetPart(bar) {}

protected:
    TCommandBar* Bar() const { return static_cast<TCommandBar*>(Owner()); }
};

// One item: a button named by its caption that presses like a click.
class CommandItemAccessible : public CommandBarPart {
public:
    CommandItemAccessible(TCommandBar* bar, TCommandItem* item) : CommandBarPart(bar), item_(item) {}

    bool isValid() const override
    {
        TCommandBar* bar = Bar();
        if (!bar)
            return false;
        for (const TCommandPanel* panel : VisiblePanels(bar))
            if (panel->VisibleItems().contains(item_))
                return true;
        return false;
    }
    QAccessibleInterface* parent() const override;
    // Every answer first checks that the item is still there: a client may hold on to a part
    // whose item has gone.
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        switch (t) {
        case QAccessible::Name:
            return SpokenCaption(item_->Caption());
        case QAccessible::Description:
            return item_->Help();
        case QAccessible::Accelerator:
            return ShortCutText();
        default:
            return {};
        }
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect row = Bar()->ItemRect(item_->Panel(), item_).ToQRect();
        return ToScreen(row.intersected(RowArea(Bar())));
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        TCommandBar* bar = Bar();
        s.focusable = bar->TabStop();
        s.focused = bar->hasFocus() && bar->FocusedItem() == item_;
        s.hotTracked = bar->HoveredItem() == item_;
        s.pressed = s.hotTracked && bar->LeftButtonDown();
        s.selected = item_->Panel()->ItemIndex() == item_->Index();
        s.invisible = !bar->isVisible() || rect().isEmpty();
        s.offscreen = s.invisible;
        return s;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& action) override
    {
        QPointer<TCommandBar> bar = Bar();
        TCommandItem* item = item_;
        if (!isValid())
            return;
        if (action == pressAction()) {
            RunAccessibleAction(bar, [bar, item] {
                // Still on the bar by the time the press comes round.
                if (Offers(bar, item))
                    bar->PressItem(item->Panel(), item);
            });
        } else if (action == setFocusAction()) {
            bar->setFocus(Qt::OtherFocusReason);
            bar->SetFocusedItem(item_);
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QString keys = ShortCutText();
        return action == pressAction() && !keys.isEmpty() ? QStringList{keys} : QStringList{};
    }

private:
    QString ShortCutText() const
    {
        if (item_->ShortCut().key() != Qt::Key(0))
            return QKeySequence(item_->ShortCut()).toString(QKeySequence::NativeText);
        const QString mnemonic = QKeySequence::mnemonic(item_->Caption()).toString(QKeySequence::NativeText);
        return mnemonic;
    }

    TCommandItem* item_;
};

// One panel: a grouping named by its caption. The active one is expanded and holds its visible
// items; pressing another makes it the active one, as a press on its caption does.
class CommandPanelAccessible : public CommandBarPart {
public:
    CommandPanelAccessible(TCommandBar* bar, TCommandPanel* panel) : CommandBarPart(bar), panel_(panel) {}

    bool isValid() const override { return Bar() && VisiblePanels(Bar()).contains(panel_); }
    QAccessibleInterface* parent() const override { return OwnerInterface(); }
    int childCount() const override { return Active() ? int(panel_->VisibleItems().size()) : 0; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override { return IndexAmongChildren(this, child); }
    QAccessibleInterface* childAt(int x, int y) const override { return ChildAtPoint(this, x, y); }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? SpokenCaption(panel_->Caption()) : QString();
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        QRect area = Bar()->CaptionRect(panel_).ToQRect();
        if (Active())
            area |= RowArea(Bar());
        return ToScreen(area);
    }
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.expandable = true;
        s.expanded = Active();
        s.collapsed = !Active();
        s.invisible = !Bar()->isVisible();
        return s;
    }
    QStringList actionNames() const override { return Active() ? QStringList{} : QStringList{pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != pressAction() || Active())
            return;
        QPointer<TCommandBar> bar = Bar();
        TCommandPanel* panel = panel_;
        RunAccessibleAction(bar, [bar, panel] {
            if (VisiblePanels(bar).contains(panel))
                bar->SetTopPanel(panel->Index());
        });
    }

private:
    bool Active() const { return isValid() && Bar()->ActivePanel() == panel_; }

    TCommandPanel* panel_;
};

// The bar: a tool bar whose children are its visible panels.
class CommandBarAccessible : public QAccessibleWidget {
public:
    explicit CommandBarAccessible(TCommandBar* bar) : QAccessibleWidget(bar, QAccessible::ToolBar) {}

    TCommandBar* Bar() const { return static_cast<TCommandBar*>(widget()); }

    int childCount() const override { return int(VisiblePanels(Bar()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<TCommandPanel*> panels = VisiblePanels(Bar());
        return index >= 0 && index < panels.size() ? PanelInterface(panels[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override { return IndexAmongChildren(this, child); }
    QAccessibleInterface* childAt(int x, int y) const override { return ChildAtPoint(this, x, y); }
    QAccessibleInterface* focusChild() const override
    {
        TCommandItem* item = Bar()->FocusedItem();
        return Bar()->hasFocus() && item ? ItemInterface(item) : nullptr;
    }

    QAccessibleInterface* PanelInterface(TCommandPanel* panel) const
    {
        return parts_.Get(panel, [&] { return new CommandPanelAccessible(Bar(), panel); });
    }
    QAccessibleInterface* ItemInterface(TCommandItem* item) const
    {
        return parts_.Get(item, [&] { return new CommandItemAccessible(Bar(), item); });
    }

private:
    mutable AccessiblePartCache parts_;
};

CommandBarAccessible* BarInterface(TCommandBar* bar)
{
    return bar ? dynamic_cast<CommandBarAccessible*>(QAccessible::queryAccessibleInterface(bar)) : nullptr;
}

QAccessibleInterface* CommandItemAccessible::parent() const
{
    CommandBarAccessible* bar = isValid() ? BarInterface(Bar()) : nullptr;
    return bar ? bar->PanelInterface(item_->Panel()) : nullptr;
}

QAccessibleInterface* CommandPanelAccessible::child(int index) const
{
    const QList<TCommandItem*> items = Active() ? panel_->VisibleItems() : QList<TCommandItem*>{};
    CommandBarAccessible* bar = BarInterface(Bar());
    return bar && index >= 0 && index < items.size() ? bar->ItemInterface(items[index]) : nullptr;
}

QAccessibleInterface* CommandBarFactory(const QString&, QObject* object)
{
    auto* bar = qobject_cast<TCommandBar*>(object);
    return bar ? new CommandBarAccessible(bar) : nullptr;
}

} // namespace

void InstallCommandBarAccessibility()
{
    InstallAccessibleFactory(CommandBarFactory);
}

void AnnounceCommandItemFocus(TCommandBar* bar, TCommandItem* item)
{
    if (!QAccessible::isActive())
        return;
    if (CommandBarAccessible* iface = BarInterface(bar))
        AnnounceAccessibleFocus(iface->ItemInterface(item));
}
