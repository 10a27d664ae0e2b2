#include "CommandItem.h"

#include "CommandPanel.h"

void TCommandItem::SetIcon(const QImage& icon)
{
    // Pictures are not compared pixel by pixel; a new one always repaints.
    icon_ = icon;
    Changed();
}

void TCommandItem::Changed()
{
    collection_->Changed();
}
