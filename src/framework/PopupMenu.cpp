#include "PopupMenu.h"

#include "ComponentReference.h"
#include "ImageList.h"

#include <QAction>

namespace {
const char* const kImageIndex = "ImageIndex";
}

TPopupMenu::TPopupMenu(QWidget* owner) : QMenu(owner) {}

void TPopupMenu::SetImages(TImageList* images)
{
    SetComponentReference(*this, images_, images, [this] { RefreshImages(); });
    RefreshImages();
}

QAction* TPopupMenu::AddItem(const QString& name, const QString& caption, int imageIndex, TNotifyEvent onClick)
{
    auto* item = addAction(caption);
    item->setObjectName(name);
    item->setProperty(kImageIndex, imageIndex);
    connect(item, &QAction::triggered, item, [item, onClick] {
        if (onClick)
            CallHandler([&] { onClick(item); });
    });
    RefreshImages();
    return item;
}

QAction* TPopupMenu::FindItem(const QString& name) const
{
    for (QAction* item : actions())
        if (item->objectName() == name)
            return item;
    return nullptr;
}

void TPopupMenu::RefreshImages()
{
    for (QAction* item : actions()) {
        const int index = item->property(kImageIndex).toInt();
        item->setIcon(images_ ? images_->Icon(index) : QIcon());
    }
}
