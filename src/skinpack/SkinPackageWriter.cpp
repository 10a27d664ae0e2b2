#include "SkinPackageWriter.h"

#include "skinformat/LzhufEncoder.h"
#include "skinformat/SkinContainerWriter.h"

#include <vector>

namespace {

std::string_view View(const QByteArray& bytes)
{
    return {bytes.constData(), std::size_t(bytes.size())};
}

QByteArray FromStd(const std::string& bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

QByteArray BuildSkinContainer(const QList<SkinEntry>& entries)
{
    QList<QByteArray> names;
    for (const SkinEntry& entry : entries)
        names.append(entry.name.toLatin1());
    std::vector<skinformat::EntryView> views;
    for (qsizetype i = 0; i < entries.size(); ++i)
        views.push_back({View(names[i]), View(entries[i].data)});
    return FromStd(skinformat::BuildContainer(views));
}

QByteArray PackSkinContainer(const QByteArray& container)
{
    return FromStd(skinformat::PackContainer(View(container)));
}

QByteArray LzhufEncode(const QByteArray& input)
{
    return FromStd(lzhuf::Encode(View(input)));
}
