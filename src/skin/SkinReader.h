#pragma once
#include "skinformat/PackageFormat.h"
#include "skinformat/PackageMessages.h"
#include "skinformat/SkinContainer.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Why a package cannot be read: another version of the format, or damage (the text says what).
struct SkinPackageProblem {
    bool olderVersion = false;
    QString text;
};
// The client's way of telling: the "Older Skin File" message box for another version, an error
// box for damage. Tools without a screen give their readers a report of their own.
void ShowSkinPackageProblem(const SkinPackageProblem& problem);

// The container of named entries inside a skin package: a 4-byte little-endian length L, then
// an LZHUF stream that decodes to L bytes of container (version, name list, sizes, data).
class TSkinReader {
public:
    static constexpr quint32 kVersion = skinformat::kVersion;
    static constexpr int kMaxEntries = int(skinformat::kMaxEntries);
    // The largest package and the largest container we accept, whatever a package declares.
    static constexpr qsizetype kMaxPackageSize = qsizetype(skinformat::kMaxPackageSize);
    static constexpr qsizetype kMaxContainerSize = qsizetype(skinformat::kMaxContainerSize);

    // How a refused package is reported: by default in a message box (the program); an empty
    // report, ErrorOnly(), leaves it to Error() (tools without a screen).
    using ProblemReport = std::function<void(const SkinPackageProblem&)>;
    static ProblemReport ErrorOnly() { return {}; }

    explicit TSkinReader(ProblemReport report = ShowSkinPackageProblem) : report_(std::move(report)) {}

    // Decompresses the package and reads its directory. A package of another version is refused
    // with the "Older Skin File" message, a damaged one with a message saying what is wrong;
    // both return false and leave the reader empty.
    bool ReadPackage(const QByteArray& package);

    // The first entry whose name equals `name` lower-cased; empty when there is none.
    QByteArray ExtractByName(const QString& name) const;
    // The first entry whose (lower-case) name contains `text`, and that name; empty when none.
    QByteArray ExtractByPart(const QString& text, QString* foundName = nullptr) const;

    const QList<QString>& Names() const { return names_; }
    // Why the last ReadPackage failed (empty after success).
    const QString& Error() const { return error_; }

private:
    QByteArray Entry(std::size_t index) const;

    skinformat::SkinContainer container_;
    QList<QString> names_;
    QString error_;
    ProblemReport report_;
};

// The message that refuses a package, saying why.
inline QString DamagedSkinMessage(const QString& why)
{
    return QString::fromStdString(skinformat::DamagedMessage(why.toStdString()));
}

inline QString TooLargeSkinPackage(qint64 size)
{
    return QString::fromStdString(skinformat::TooLargeMessage(std::uintmax_t(size)));
}

inline const QString kOlderSkinMessage =
    QString::fromLatin1(skinformat::kOlderVersionMessage.data(), qsizetype(skinformat::kOlderVersionMessage.size()));
