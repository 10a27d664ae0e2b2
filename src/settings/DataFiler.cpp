#include "DataFiler.h"

#include "AbstractStore.h"

std::unique_ptr<TDataFiler> TDataFiler::CreateChildFiler(const QString& prefix) const
{
    return std::make_unique<TDataFiler>(prefix, Section, Store);
}

void TDataFiler::EraseSection(const QString& section)
{
    if (Store)
        Store->EraseSection(section);
}

qint64 TDataFiler::ValueCount(const QString& section)
{
    return Store ? Store->ValueCount(section) : 0;
}

QString TDataFiler::ReadText(const QString& section, const QString& name, const QString& defaultText)
{
    return Store ? Store->ReadText(section, name, defaultText) : QString();
}

void TDataFiler::WriteText(const QString& section, const QString& name, const QString& value)
{
    if (Store)
        Store->WriteText(section, name, value);
}
