#include "CommandCaption.h"

#include "CommandBar.h"

void TCommandCaption::Changed()
{
    bar_->Changed();
}

void THelpPanel::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    bar_->Changed();
}

void THelpPanel::SetHeight(int height)
{
    height = height < 0 ? 0 : height;
    if (height_ == height)
        return;
    height_ = height;
    bar_->Changed();
}
