#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct sqlite3;

// Value types of the registry; the store reads and writes only the two text types, the others
// are kept as tags on their bytes.
enum RegistryValueType : quint32 {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_DWORD_BIG_ENDIAN = 5,
    REG_LINK = 6,
    REG_MULTI_SZ = 7,
    REG_RESOURCE_LIST = 8,
    REG_FULL_RESOURCE_DESCRIPTOR = 9,
    REG_RESOURCE_REQUIREMENTS_LIST = 10,
    REG_QWORD = 11,
};

struct RegistryValue {
    quint32 type = REG_NONE;
    QByteArray data;
};

struct RegistryValueInfo {
    quint32 type = REG_NONE;
    qint64 size = 0;
};

enum class RegistryHiveRoot { CurrentUser, LocalMachine };

// One registry root kept in one SQLite file: a tree of keys, each with typed values. Key and
// value names are compared ignoring case and keep the case they were created with. Every change
// is one transaction, so a process killed while writing leaves the old or the new state, and
// several processes may use one hive at once. Keys are addressed by id; the root key is kRootKey.
// A failed call answers nullopt / false and leaves the hive as it was.
class RegistryHive {
public:
    using KeyId = qint64;
    static constexpr KeyId kRootKey = 1;

    ~RegistryHive();
    RegistryHive(const RegistryHive&) = delete;
    RegistryHive& operator=(const RegistryHive&) = delete;

    // The hive file of a root: the user's under $VELLOMAR_CONFIG_DIR, else
    // $XDG_CONFIG_HOME/vellomar (~/.config/vellomar); the machine's under /etc/vellomar, or the
    // "machine" folder of $VELLOMAR_CONFIG_DIR.
    static QString FilePath(RegistryHiveRoot root);

    // The hive of a root, shared by every user in the process while any holds it; nullptr when
    // its file cannot be opened or created (the reason is written to standard error).
    static std::shared_ptr<RegistryHive> ForRoot(RegistryHiveRoot root);

    // Opens or creates the hive at `filePath` (the user's: folder 0700 and file 0600; the machine's:
    // 0755 and 0644). A file
    // that is not a readable hive is renamed aside with a warning on standard error and a fresh
    // hive takes its place.
    static std::shared_ptr<RegistryHive> Open(const QString& filePath,
                                              RegistryHiveRoot root = RegistryHiveRoot::CurrentUser);

    // `path` is one or more key names separated by backslashes, relative to `parent`.
    std::optional<KeyId> CreateKey(KeyId parent, const QString& path);
    std::optional<KeyId> OpenKey(KeyId parent, const QString& path) const;
    bool KeyExists(KeyId key) const;

    std::optional<RegistryValueInfo> QueryValueInfo(KeyId key, const QString& name) const;
    std::optional<RegistryValue> QueryValue(KeyId key, const QString& name) const;
    bool SetValue(KeyId key, const QString& name, const RegistryValue& value);

    // Names of the direct subkeys, ordered ignoring case; nullopt when the key is gone.
    std::optional<QStringList> SubKeyNames(KeyId key) const;
    // How many values the key holds; nullopt when the key is gone.
    std::optional<qint64> ValueCount(KeyId key) const;
    // Deletes the key at the end of `path` (below `parent`) with all its subkeys and values, in
    // one step; the keys above it stay.
    bool DeleteKeyTree(KeyId parent, const QString& path);

    const QString& FileName() const { return fileName_; }

private:
    RegistryHive(sqlite3* db, QString fileName) : db_(db), fileName_(std::move(fileName)) {}

    std::optional<KeyId> ChildKey(KeyId parent, const QString& name) const;

    sqlite3* db_;
    QString fileName_;
};
