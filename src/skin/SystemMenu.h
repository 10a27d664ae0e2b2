#pragma once
#include <QPointer>

#include <memory>

class QAction;
class QPoint;
class TPopupMenu;
class TWinSkinForm;

// The system menu of a skinned window: " Restore ", " Maximize " (with a maximise box),
// " Minimize " (with a minimise box), a line and " Close " ("Shift+F4"), each item showing the
// skin's menu glyph whose number is the item's tag. It is drawn by the skin only when the skin
// data asks for a skinned system menu; otherwise it is the toolkit's plain menu.
class TSystemMenu {
public:
    static constexpr int kMenuTag = 33333;
    enum TItemTag { tgRestore = 0, tgMaximize = 1, tgMinimize = 2, tgClose = 3, tgLine = 100 };

    explicit TSystemMenu(TWinSkinForm& owner);
    ~TSystemMenu();

    TPopupMenu* Menu() const { return menu_.get(); }
    QAction* Item(TItemTag tag) const;
    // Enables the items for the window's state and opens the menu at a screen point.
    void Open(const QPoint& globalPos);

private:
    void AddItem(const QString& caption, TItemTag tag);
    void ItemClicked(TItemTag tag);

    TWinSkinForm& owner_;
    std::unique_ptr<TPopupMenu> menu_;
};
