#include "FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); })
{
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    Join();
}

void FontConfigWarmUp::Join()
{
    if (thread_.joinable())
        thread_.join();
}
