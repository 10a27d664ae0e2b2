#include "AbstractStore.h"

void TAbstractStore::Open()
{
    if (++openCount_ == 1)
        OpenStorage();
}

void TAbstractStore::Close()
{
    if (openCount_ <= 0)
        return;
    if (--openCount_ == 0)
        CloseStorage();
}

void TAbstractStore::EraseSection(const QString&) {}
