#include "CommandPanel.h"

#include "CommandBar.h"

void TCommandPanel::Changed()
{
    collection_->Changed();
}

QList<TCommandItem*> TCommandPanel::VisibleItems() const
{
    QList<TCommandItem*> visible;
    for (int i = 0; i < Items.Count(); ++i)
        if (Items[i]->Visible())
            visible.append(Items[i]);
    return visible;
}
