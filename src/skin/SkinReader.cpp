#include "SkinReader.h"
#include "Lzhuf.h"

#include <QtEndian>

namespace {

constexpr qsizetype kHeaderSize = 16;

quint32 ReadU32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Each input bit yields at most 6 output bytes (a 60-byte match costs at least 10 bits), so a
// declared length above this cannot be honest; the slack covers the zero bits past the end.
qsizetype MostDecodableFrom(qsizetype compressedSize)
{
    return 48 * compressedSize + 64;
}

QString AsciiLower(const QString& text)
{
    QString lower = text;
    for (QChar& c : lower)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lower;
}

// Names split at CR LF, CR or LF; a final line break adds no empty name.
QList<QString> SplitNames(const QByteArray& list)
{
    QList<QString> names;
    qsizetype start = 0;
    const qsizetype n = list.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = list[i];
        if (c != '\r' && c != '\n')
            continue;
        names.append(AsciiLower(QString::fromLatin1(list.mid(start, i - start))));
        if (c == '\r' && i + 1 < n && list[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        names.append(AsciiLower(QString::fromLatin1(list.mid(start))));
    return names;
}

} // namespace

bool TSkinReader::Fail(const QString& why)
{
    error_ = why;
    if (report_)
        report_({false, why});
    return false;
}

bool TSkinReader::RefuseOlderVersion()
{
    error_ = kOlderSkinMessage;
    if (report_)
        report_({true, kOlderSkinMessage});
    return false;
}

bool TSkinReader::Decompress(const QByteArray& package, QByteArray* container)
{
    if (package.size() < 4)
        return Fail(DamagedSkinMessage(QStringLiteral("it is too short.")));
    if (package.size() > kMaxPackageSize)
        return Fail(TooLargeSkinPackage(package.size()));
    const quint32 declared = ReadU32(package, 0);
    const qsizetype streamSize = package.size() - 4;
    if (declared > quint32(kMaxContainerSize) || qsizetype(declared) > MostDecodableFrom(streamSize))
        return Fail(DamagedSkinMessage(QStringLiteral("it declares %1 bytes of content."))
                        .arg(declared));
    try {
        *container = TLZH::Decode(package.constData() + 4, streamSize, qsizetype(declared));
    } catch (const ElzhException& e) {
        return Fail(e.Message());
    }
    if (container->size() < kHeaderSize)
        return Fail(DamagedSkinMessage(QStringLiteral("its content is too short.")));
    return true;
}

bool TSkinReader::ReadPackage(const QByteArray& package)
{
    names_.clear();
    offsets_.clear();
    data_.clear();
    error_.clear();
    QByteArray container;
    if (!Decompress(package, &container))
        return false;
    if (ReadU32(container, 0) != kVersion)
        return RefuseOlderVersion();
    const quint32 listSize = ReadU32(container, 4);
    if (listSize > quint32(container.size() - kHeaderSize))
        return Fail(DamagedSkinMessage(QStringLiteral("its name list overruns it.")));
    const QList<QString> names = SplitNames(container.mid(kHeaderSize, listSize));
    if (names.size() > kMaxEntries)
        return Fail(DamagedSkinMessage(QStringLiteral("it lists %1 entries, at most %2 are allowed."))
                        .arg(names.size())
                        .arg(kMaxEntries));

    const qsizetype sizesAt = kHeaderSize + listSize;
    const qsizetype dataAt = sizesAt + 4 * names.size();
    if (dataAt > container.size())
        return Fail(DamagedSkinMessage(QStringLiteral("its size table overruns it.")));
    // Entries stay where they are in the container: an unpack of a large skin copies enough.
    QList<qsizetype> offsets{dataAt};
    for (int i = 0; i < names.size(); ++i) {
        const qsizetype next = offsets.last() + ReadU32(container, sizesAt + 4 * i);
        if (next > container.size())
            return Fail(DamagedSkinMessage(QStringLiteral("entry \"%1\" overruns its data."))
                            .arg(names[i]));
        offsets.append(next);
    }
    names_ = names;
    offsets_ = offsets;
    data_ = std::move(container);
    return true;
}

QByteArray TSkinReader::Entry(int index) const
{
    return data_.mid(offsets_[index], offsets_[index + 1] - offsets_[index]);
}

QByteArray TSkinReader::ExtractByName(const QString& name) const
{
    const int index = names_.indexOf(AsciiLower(name));
    return index < 0 ? QByteArray() : Entry(index);
}

QByteArray TSkinReader::ExtractByPart(const QString& text, QString* foundName) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].contains(text)) {
            if (foundName)
                *foundName = names_[i];
            return Entry(i);
        }
    }
    return {};
}
