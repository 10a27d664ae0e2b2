#include "SystemMenu.h"
#include "SkinData.h"
#include "WinSkinForm.h"

#include "framework/PopupMenu.h"

#include <QAction>
#include <QKeySequence>

TSystemMenu::TSystemMenu(TWinSkinForm& owner) : owner_(owner), menu_(std::make_unique<TPopupMenu>())
{
    menu_->SetTag(kMenuTag);
    const int flags = owner.CaptionFlags();
    AddItem(QStringLiteral(" Restore "), tgRestore);
    if (flags & cfMaximizeBox)
        AddItem(QStringLiteral(" Maximize "), tgMaximize);
    if (flags & cfMinimizeBox)
        AddItem(QStringLiteral(" Minimize "), tgMinimize);
    menu_->addSeparator()->setProperty("Tag", int(tgLine));
    AddItem(QStringLiteral(" Close ") + QLatin1Char('\t')
                + QKeySequence(Qt::SHIFT | Qt::Key_F4).toString(QKeySequence::NativeText),
            tgClose);
}

TSystemMenu::~TSystemMenu() = default;

void TSystemMenu::AddItem(const QString& caption, TItemTag tag)
{
    QAction* item = menu_->addAction(caption);
    item->setProperty("Tag", int(tag));
    const QList<QImage>& glyphs = owner_.SkinData()->MenuGlyphs();
    if (tag < glyphs.size())
        item->setIcon(QIcon(QPixmap::fromImage(glyphs[tag])));
    QObject::connect(item, &QAction::triggered, menu_.get(), [this, tag] { ItemClicked(tag); });
}

QAction* TSystemMenu::Item(TItemTag tag) const
{
    for (QAction* item : menu_->actions())
        if (item->property("Tag").toInt() == tag && !item->isSeparator())
            return item;
    return nullptr;
}

void TSystemMenu::Open(const QPoint& globalPos)
{
    const TShowState state = owner_.ShowState();
    if (QAction* restore = Item(tgRestore))
        restore->setEnabled(state != shNormal);
    if (QAction* maximize = Item(tgMaximize))
        maximize->setEnabled(state != shMaximized);
    if (QAction* minimize = Item(tgMinimize))
        minimize->setEnabled(state != shMinimized);
    const bool skinned = owner_.SkinData()->SkinControls.test(xcSystemMenu);
    menu_->setProperty(kSkinItemsProperty, skinned ? 2 : 0);
    menu_->popup(globalPos);
}

void TSystemMenu::ItemClicked(TItemTag tag)
{
    switch (tag) {
    case tgRestore:
        owner_.Restore();
        break;
    case tgMaximize:
        owner_.PerformAction(1);
        break;
    case tgMinimize:
        owner_.PerformAction(2);
        break;
    case tgClose:
        owner_.PerformAction(0);
        break;
    case tgLine:
        break;
    }
}
