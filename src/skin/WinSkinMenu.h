#pragma once
#include "CaptionButtons.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QShortcut>

#include <memory>
#include <vector>

class TWinSkinMenu;

// One top-level item of a skinned menu bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* owner, TWinSkinMenu& bar, int index, QAction* item);

    int Index() const { return index_; }
    QAction* Item() const { return item_; }
    QString Caption() const;
    bool Enabled() const;
    QMenu* SubMenu() const;

    // Pressing an item opens its drop-down (or runs its command).
    void Press() override;

private:
    TWinSkinMenu& bar_;
    int index_;
    QPointer<QAction> item_;
};

// The menu bar of a skinned window, drawn by the skin in the frame below the caption. It takes
// the window's menu bar over (hidden while skinned), opens the drop-downs below their items,
// answers Alt plus an item's letter, switches between drop-downs with the arrow keys and the
// mouse, and re-reads the menu bar when it changes.
class TWinSkinMenu : public QObject {
    Q_OBJECT

public:
    TWinSkinMenu(TWinSkinForm& owner, QMenuBar* menuBar);
    // Gives the window its menu bar back.
    ~TWinSkinMenu() override;

    QMenuBar* Menu() const { return menu_; }
    // The height of the toolkit's menu bar.
    int Height() const;
    const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items_; }

    // Reads the items from the menu bar.
    void ReadItems();
    // Places the items in the bar's rectangle (window coordinates).
    void Layout(const QRect& bar);
    void PaintBackground(QImage& frame, bool active) const;
    void PaintItems(QPainter& painter) const;
    TMenuBtn* ItemAt(QPoint pos) const;

    // Opens an item's drop-down below it, or runs the command of an item without one.
    void Open(int index);
    bool Tracking() const { return tracked_ >= 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateShortcuts();
    void SwitchTo(int index);
    void Step(int direction);
    void DropDownClosed();
    int ItemsStart() const;

    TWinSkinForm& owner_;
    QPointer<QMenuBar> menu_;
    // The menu bar, to compare with (also while it is being destroyed).
    const QObject* watchedMenu_;
    bool menuWasShown_;
    std::vector<std::unique_ptr<TMenuBtn>> items_;
    QList<QPointer<QShortcut>> shortcuts_;
    QRect bar_;
    int tracked_ = -1;
    QPointer<QMenu> dropDown_;
    bool switching_ = false;
    bool rereadPending_ = false;
};
