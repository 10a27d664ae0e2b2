#pragma once
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
    static constexpr quint32 kVersion = 20000;
    static constexpr int kMaxEntries = 1001;
    // The largest package and the largest container we accept, whatever a package declares.
    static constexpr qsizetype kMaxPackageSize = 16 * 1024 * 1024;
    static constexpr qsizetype kMaxContainerSize = 64 * 1024 * 1024;

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
    bool Fail(const QString& why);
    bool RefuseOlderVersion();
    bool Decompress(const QByteArray& package, QByteArray* container);
    QByteArray Entry(int index) const;

    QList<QString> names_;
    QList<qsizetype> offsets_; // entry i is data_[offsets_[i], offsets_[i + 1])
    QByteArray data_; // the whole container
    QString error_;
    ProblemReport report_;
};

// The message that refuses a package, saying why.
inline QString DamagedSkinMessage(const QString& why)
{
    return QStringLiteral("The skin package is damaged: ") + why;
}

inline QString TooLargeSkinPackage(qint64 size)
{
    return DamagedSkinMessage(QStringLiteral("it is %1 bytes, at most %2 are allowed.")
                                  .arg(size)
                                  .arg(TSkinReader::kMaxPackageSize));
}

inline const QString kOlderSkinMessage =
    QStringLiteral("This is Older Skin File\rPlease update to new version !");
