#include "CommandPanel.h"

#include "CommandBar.h"

void TCommandPanel::Changed()
{
    collection_->Changed();
}
