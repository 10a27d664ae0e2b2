#include "SkinReader.h"

#include "skinformat/Latin1.h"

#include <optional>

namespace {

QString FromLatin1(const std::string& latin1)
{
    return QString::fromLatin1(latin1.data(), qsizetype(latin1.size()));
}

// Names are Latin-1: text with a character beyond it names no entry.
std::optional<std::string> ToLatin1(const QString& text)
{
    std::string latin1;
    if (!skinformat::Utf8ToLatin1(text.toStdString(), &latin1))
        return std::nullopt;
    return latin1;
}

} // namespace

bool TSkinReader::ReadPackage(const QByteArray& package)
{
    names_.clear();
    error_.clear();
    if (!container_.Read({package.constData(), std::size_t(package.size())})) {
        const skinformat::Refusal& problem = container_.Problem();
        error_ = QString::fromStdString(problem.message);
        if (report_)
            report_({problem.olderVersion, error_});
        return false;
    }
    names_.reserve(qsizetype(container_.Count()));
    for (std::size_t i = 0; i < container_.Count(); ++i)
        names_.append(FromLatin1(container_.Name(i)));
    return true;
}

QByteArray TSkinReader::Entry(std::size_t index) const
{
    const std::string_view data = container_.Data(index);
    return QByteArray(data.data(), qsizetype(data.size()));
}

QByteArray TSkinReader::ExtractByName(const QString& name) const
{
    const std::optional<std::string> latin1 = ToLatin1(name);
    const std::size_t index = latin1 ? container_.Find(*latin1) : skinformat::SkinContainer::npos;
    return index == skinformat::SkinContainer::npos ? QByteArray() : Entry(index);
}

QByteArray TSkinReader::ExtractByPart(const QString& text, QString* foundName) const
{
    const std::optional<std::string> latin1 = ToLatin1(text);
    const std::size_t index = latin1 ? container_.FindContaining(*latin1) : skinformat::SkinContainer::npos;
    if (index == skinformat::SkinContainer::npos)
        return {};
    if (foundName)
        *foundName = names_[qsizetype(index)];
    return Entry(index);
}
