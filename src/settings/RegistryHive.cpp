#include "RegistryHive.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Marks a file as ours, so a foreign SQLite file in our place is not mistaken for a hive.
constexpr int kApplicationId = 0x566C4D52;
constexpr qsizetype kMaxKeyNameLength = 255;

void Warn(const QString& text)
{
    std::fprintf(stderr, "vellomar: %s\n", qPrintable(text));
    std::fflush(stderr);
}

QString Fold(const QString& name)
{
    return name.toCaseFolded();
}

// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { ok_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) == SQLITE_OK; }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, qint64 value)
    {
        ok_ = ok_ && sqlite3_bind_int64(stmt_, index, value) == SQLITE_OK;
        return *this;
    }
    Statement& Bind(int index, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        ok_ = ok_ && sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK;
        return *this;
    }
    Statement& BindBlob(int index, const QByteArray& bytes)
    {
        // A null pointer would bind SQL NULL; an empty value is a zero-length blob.
        const int rc = bytes.isEmpty()
            ? sqlite3_bind_zeroblob(stmt_, index, 0)
            : sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        ok_ = ok_ && rc == SQLITE_OK;
        return *this;
    }

    // True when a row is ready.
    bool Row()
    {
        if (!ok_)
            return false;
        const int rc = sqlite3_step(stmt_);
        ok_ = rc == SQLITE_ROW || rc == SQLITE_DONE;
        return rc == SQLITE_ROW;
    }
    // Runs a statement that returns no rows; true on success.
    bool Run()
    {
        Row();
        return ok_;
    }

    qint64 Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    QString Text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                 sqlite3_column_bytes(stmt_, column));
    }
    QByteArray Blob(int column) const
    {
        const void* data = sqlite3_column_blob(stmt_, column);
        return QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, column));
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    bool ok_ = false;
};

bool Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// A write transaction: takes the hive's write lock at once; rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3* db) : db_(db), open_(Exec(db, "BEGIN IMMEDIATE")) {}
    ~WriteTransaction()
    {
        if (open_)
            Exec(db_, "ROLLBACK");
    }
    bool IsOpen() const { return open_; }
    bool Commit()
    {
        if (!open_ || !Exec(db_, "COMMIT"))
            return false;
        open_ = false;
        return true;
    }

private:
    sqlite3* db_;
    bool open_;
};

QStringList SplitKeyPath(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool ValidKeyNames(const QStringList& names)
{
    for (const QString& name : names)
        if (name.size() > kMaxKeyNameLength)
            return false;
    return true;
}

struct FileModes {
    mode_t folder;
    mode_t file;
};

FileModes ModesFor(RegistryHiveRoot root)
{
    // The user's hive holds the password: private to the user. The machine's is readable by all.
    return root == RegistryHiveRoot::CurrentUser ? FileModes{0700, 0600} : FileModes{0755, 0644};
}

bool MakeFolder(const QString& folder, mode_t mode, QString* error)
{
    QStringList missing;
    QFileInfo info(folder);
    while (!info.exists() && !info.isRoot()) {
        missing.prepend(info.absoluteFilePath());
        info = QFileInfo(info.absolutePath());
    }
    for (const QString& path : missing) {
        if (::mkdir(QFile::encodeName(path).constData(), mode) != 0 && errno != EEXIST) {
            *error = QStringLiteral("cannot create the folder %1: %2").arg(path, QString::fromLocal8Bit(strerror(errno)));
            return false;
        }
    }
    return true;
}

// Creates the file with the root's mode, and takes back permissions that a user's file should
// not have.
bool MakeFile(const QString& filePath, mode_t mode, QString* error)
{
    const int fd = ::open(QFile::encodeName(filePath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0) {
        *error = QStringLiteral("cannot open %1: %2").arg(filePath, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 0777 & ~mode) != 0)
        ::fchmod(fd, st.st_mode & mode);
    ::close(fd);
    return true;
}

enum class OpenResult { Ready, Unreadable, Failed };

QString DatabaseError(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The mark of the program that owns the file (0 for a new file); nullopt when unreadable.
std::optional<qint64> ApplicationId(sqlite3* db)
{
    Statement id(db, "PRAGMA application_id");
    if (!id.Row())
        return std::nullopt;
    return id.Int(0);
}

// Checks that `db` is a whole hive (or an empty file) and lays out the tables when missing.
OpenResult PrepareDatabase(sqlite3* db, QString* error)
{
    sqlite3_busy_timeout(db, 10000);
    if (!Exec(db, "PRAGMA foreign_keys = ON") || !Exec(db, "PRAGMA synchronous = FULL")) {
        *error = DatabaseError(db);
        return sqlite3_errcode(db) == SQLITE_BUSY ? OpenResult::Failed : OpenResult::Unreadable;
    }
    {
        Statement check(db, "PRAGMA quick_check");
        const bool row = check.Row();
        if (!row || check.Text(0) != QLatin1String("ok")) {
            const int code = sqlite3_errcode(db);
            *error = row ? check.Text(0) : DatabaseError(db);
            return code == SQLITE_BUSY || code == SQLITE_IOERR || code == SQLITE_CANTOPEN ? OpenResult::Failed
                                                                                          : OpenResult::Unreadable;
        }
    }
    const std::optional<qint64> owner = ApplicationId(db);
    if (!owner || (*owner != 0 && *owner != kApplicationId)) {
        *error = QStringLiteral("it belongs to another program");
        return OpenResult::Unreadable;
    }
    if (*owner == kApplicationId)
        return OpenResult::Ready;

    WriteTransaction transaction(db);
    const bool laidOut = transaction.IsOpen()
        && Exec(db, "CREATE TABLE keys("
                    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                    " parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,"
                    " name TEXT NOT NULL, folded TEXT NOT NULL,"
                    " UNIQUE(parent, folded))")
        && Exec(db, "CREATE TABLE vals("
                    " key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,"
                    " name TEXT NOT NULL, folded TEXT NOT NULL,"
                    " type INTEGER NOT NULL, data BLOB NOT NULL,"
                    " PRIMARY KEY(key, folded))")
        && Exec(db, "INSERT INTO keys(id, parent, name, folded) VALUES(1, NULL, '', '')")
        && Exec(db, QByteArray("PRAGMA application_id = ").append(QByteArray::number(kApplicationId)).constData())
        && transaction.Commit();
    if (!laidOut) {
        *error = DatabaseError(db);
        // Another process may have laid it out at the same moment.
        if (ApplicationId(db) == kApplicationId)
            return OpenResult::Ready;
        return OpenResult::Failed;
    }
    return OpenResult::Ready;
}

OpenResult OpenDatabase(const QString& filePath, sqlite3** db, QString* error)
{
    const int rc = sqlite3_open_v2(QFile::encodeName(filePath).constData(), db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (rc != SQLITE_OK) {
        *error = *db ? DatabaseError(*db) : QStringLiteral("out of memory");
        sqlite3_close(*db);
        *db = nullptr;
        return OpenResult::Failed;
    }
    const OpenResult result = PrepareDatabase(*db, error);
    if (result != OpenResult::Ready) {
        sqlite3_close(*db);
        *db = nullptr;
    }
    return result;
}

// Renames an unreadable hive (and a journal that belongs to it) out of the way.
bool MoveAside(const QString& filePath, QString* asidePath)
{
    *asidePath = filePath + QStringLiteral(".unreadable-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    if (::rename(QFile::encodeName(filePath).constData(), QFile::encodeName(*asidePath).constData()) != 0)
        return false;
    const QString journal = filePath + QStringLiteral("-journal");
    if (QFile::exists(journal))
        ::rename(QFile::encodeName(journal).constData(), QFile::encodeName(*asidePath + QStringLiteral("-journal")).constData());
    return true;
}

} // namespace

RegistryHive::~RegistryHive()
{
    sqlite3_close(db_);
}

QString RegistryHive::FilePath(RegistryHiveRoot root)
{
    const QString override = qEnvironmentVariable("VELLOMAR_CONFIG_DIR");
    QString folder;
    if (!override.isEmpty()) {
        folder = root == RegistryHiveRoot::CurrentUser ? override : override + QStringLiteral("/machine");
    } else if (root == RegistryHiveRoot::LocalMachine) {
        folder = QStringLiteral("/etc/vellomar");
    } else {
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty() || QDir::isRelativePath(config))
            config = QDir::homePath() + QStringLiteral("/.config");
        folder = config + QStringLiteral("/vellomar");
    }
    return QDir::cleanPath(folder + QStringLiteral("/registry.sqlite"));
}

std::shared_ptr<RegistryHive> RegistryHive::ForRoot(RegistryHiveRoot root)
{
    static std::map<QString, std::weak_ptr<RegistryHive>> open;
    const QString path = FilePath(root);
    if (auto hive = open[path].lock())
        return hive;
    auto hive = Open(path, root);
    open[path] = hive;
    return hive;
}

std::shared_ptr<RegistryHive> RegistryHive::Open(const QString& filePath, RegistryHiveRoot root)
{
    const FileModes modes = ModesFor(root);
    QString error;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!MakeFolder(QFileInfo(filePath).absolutePath(), modes.folder, &error)
            || !MakeFile(filePath, modes.file, &error)) {
            Warn(QStringLiteral("the settings cannot be kept: %1").arg(error));
            return nullptr;
        }
        sqlite3* db = nullptr;
        switch (OpenDatabase(filePath, &db, &error)) {
        case OpenResult::Ready:
            return std::shared_ptr<RegistryHive>(new RegistryHive(db, filePath));
        case OpenResult::Failed:
            Warn(QStringLiteral("the settings file %1 cannot be opened: %2").arg(filePath, error));
            return nullptr;
        case OpenResult::Unreadable: {
            QString aside;
            if (attempt > 0 || !MoveAside(filePath, &aside)) {
                Warn(QStringLiteral("the settings file %1 cannot be read (%2) nor moved aside").arg(filePath, error));
                return nullptr;
            }
            Warn(QStringLiteral("the settings file %1 could not be read (%2); it was moved to %3 and the "
                                "settings start again from their defaults")
                     .arg(filePath, error, aside));
            break;
        }
        }
    }
    return nullptr;
}

std::optional<RegistryHive::KeyId> RegistryHive::ChildKey(KeyId parent, const QString& name) const
{
    Statement find(db_, "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
    if (find.Bind(1, parent).Bind(2, Fold(name)).Row())
        return find.Int(0);
    return std::nullopt;
}

std::optional<RegistryHive::KeyId> RegistryHive::CreateKey(KeyId parent, const QString& path)
{
    const QStringList names = SplitKeyPath(path);
    if (!ValidKeyNames(names))
        return std::nullopt;
    WriteTransaction transaction(db_);
    if (!transaction.IsOpen() || !KeyExists(parent))
        return std::nullopt;
    KeyId key = parent;
    for (const QString& name : names) {
        if (const auto child = ChildKey(key, name)) {
            key = *child;
            continue;
        }
        Statement insert(db_, "INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)");
        if (!insert.Bind(1, key).Bind(2, name).Bind(3, Fold(name)).Run())
            return std::nullopt;
        key = sqlite3_last_insert_rowid(db_);
    }
    if (!transaction.Commit())
        return std::nullopt;
    return key;
}

std::optional<RegistryHive::KeyId> RegistryHive::OpenKey(KeyId parent, const QString& path) const
{
    if (!KeyExists(parent))
        return std::nullopt;
    KeyId key = parent;
    for (const QString& name : SplitKeyPath(path)) {
        const auto child = ChildKey(key, name);
        if (!child)
            return std::nullopt;
        key = *child;
    }
    return key;
}

bool RegistryHive::KeyExists(KeyId key) const
{
    Statement find(db_, "SELECT 1 FROM keys WHERE id = ?1");
    return find.Bind(1, key).Row();
}

std::optional<RegistryValueInfo> RegistryHive::QueryValueInfo(KeyId key, const QString& name) const
{
    Statement find(db_, "SELECT type, length(data) FROM vals WHERE key = ?1 AND folded = ?2");
    if (!find.Bind(1, key).Bind(2, Fold(name)).Row())
        return std::nullopt;
    return RegistryValueInfo{static_cast<quint32>(find.Int(0)), find.Int(1)};
}

std::optional<RegistryValue> RegistryHive::QueryValue(KeyId key, const QString& name) const
{
    Statement find(db_, "SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2");
    if (!find.Bind(1, key).Bind(2, Fold(name)).Row())
        return std::nullopt;
    return RegistryValue{static_cast<quint32>(find.Int(0)), find.Blob(1)};
}

bool RegistryHive::SetValue(KeyId key, const QString& name, const RegistryValue& value)
{
    Statement upsert(db_, "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5)"
                          " ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    return upsert.Bind(1, key).Bind(2, name).Bind(3, Fold(name)).Bind(4, value.type).BindBlob(5, value.data).Run();
}

std::optional<QStringList> RegistryHive::SubKeyNames(KeyId key) const
{
    if (!KeyExists(key))
        return std::nullopt;
    Statement list(db_, "SELECT name FROM keys WHERE parent = ?1 ORDER BY folded");
    list.Bind(1, key);
    QStringList names;
    while (list.Row())
        names.append(list.Text(0));
    return names;
}

std::optional<qint64> RegistryHive::ValueCount(KeyId key) const
{
    if (!KeyExists(key))
        return std::nullopt;
    Statement count(db_, "SELECT count(*) FROM vals WHERE key = ?1");
    if (!count.Bind(1, key).Row())
        return std::nullopt;
    return count.Int(0);
}

bool RegistryHive::DeleteKeyTree(KeyId parent, const QString& path)
{
    // Found as CreateKey made it: a section named "a\b" is the key b below a.
    QStringList names = SplitKeyPath(path);
    if (names.isEmpty())
        return false;
    const QString name = names.takeLast();
    const std::optional<KeyId> owner = OpenKey(parent, names.join(QLatin1Char('\\')));
    if (!owner)
        return false;
    // The foreign keys cascade: subkeys and values go with the key, in one statement.
    Statement remove(db_, "DELETE FROM keys WHERE parent = ?1 AND folded = ?2");
    return remove.Bind(1, *owner).Bind(2, Fold(name)).Run() && sqlite3_changes(db_) > 0;
}
