#include "CommandCaption.h"

#include "CommandBar.h"

void TCommandCaption::Changed()
{
    bar_->Changed();
}

void THelpPanel::Changed()
{
    bar_->Changed();
}
