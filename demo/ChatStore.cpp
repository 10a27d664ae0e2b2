#include "ChatStore.h"

#include "PasswordHash.h"

#include <sqlite3.h>

#include <chrono>
#include <random>
#include <stdexcept>

namespace {

std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string NewToken()
{
    static std::mutex mutex;
    static std::random_device seed;
    static std::mt19937_64 random(seed());
    std::lock_guard lock(mutex);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 32; ++i)
        token.push_back(kHex[random() & 15]);
    return token;
}

} // namespace

// A prepared statement that binds its values in order and finalises itself.
class ChatStore::Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("demo database: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt_); }

    Statement& Bind(const std::string& text)
    {
        sqlite3_bind_text(stmt_, ++index_, text.data(), int(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(std::int64_t value)
    {
        sqlite3_bind_int64(stmt_, ++index_, value);
        return *this;
    }
    bool Step()
    {
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(std::string("demo database: ") + sqlite3_errmsg(sqlite3_db_handle(stmt_)));
        return rc == SQLITE_ROW;
    }
    std::string Text(int column)
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text ? std::string(text, std::size_t(sqlite3_column_bytes(stmt_, column))) : std::string();
    }
    std::int64_t Int(int column) { return sqlite3_column_int64(stmt_, column); }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int index_ = 0;
};

ChatStore::ChatStore(const std::string& path)
{
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
        const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw std::runtime_error("cannot open " + path + ": " + why);
    }
    sqlite3_busy_timeout(db_, 2000);
    Execute("PRAGMA journal_mode=WAL");
    Execute("CREATE TABLE IF NOT EXISTS accounts (id INTEGER PRIMARY KEY, nick TEXT NOT NULL UNIQUE COLLATE NOCASE,"
            " email TEXT NOT NULL UNIQUE COLLATE NOCASE, password TEXT NOT NULL, room TEXT NOT NULL)");
    Execute("CREATE TABLE IF NOT EXISTS sessions (token TEXT PRIMARY KEY, nick TEXT NOT NULL,"
            " present_until INTEGER NOT NULL)");
    Execute("CREATE TABLE IF NOT EXISTS arrivals (id INTEGER PRIMARY KEY AUTOINCREMENT, nick TEXT NOT NULL,"
            " at INTEGER NOT NULL)");
    Execute("CREATE TABLE IF NOT EXISTS messages (id INTEGER PRIMARY KEY AUTOINCREMENT, nick TEXT NOT NULL,"
            " text TEXT NOT NULL, at INTEGER NOT NULL)");
    HashPlainPasswords();
    Seed("demo", "demo@vellomar.test", "demo");
    Seed("ann", "ann@vellomar.test", "ann");
}

ChatStore::~ChatStore()
{
    sqlite3_close(db_);
}

// Databases of schema version 0 kept passwords in plain text; version 1 keeps only their hashes.
// The whole change is one transaction, so a second process opening the file meanwhile waits.
void ChatStore::HashPlainPasswords()
{
    Execute("BEGIN IMMEDIATE");
    try {
        Statement version(db_, "PRAGMA user_version");
        version.Step();
        if (version.Int(0) < kHashedPasswords) {
            std::vector<std::pair<std::int64_t, std::string>> plain;
            Statement all(db_, "SELECT id, password FROM accounts");
            while (all.Step())
                plain.emplace_back(all.Int(0), all.Text(1));
            for (const auto& [id, password] : plain) {
                Statement hashed(db_, "UPDATE accounts SET password = ? WHERE id = ?");
                hashed.Bind(PasswordHash::Make(password)).Bind(id);
                hashed.Step();
            }
            Execute(("PRAGMA user_version = " + std::to_string(kHashedPasswords)).c_str());
        }
        Execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

// The demo accounts are hashed only when missing: a hash takes a noticeable moment by design.
void ChatStore::Seed(const char* nick, const char* email, const char* password)
{
    Statement known(db_, "SELECT 1 FROM accounts WHERE nick = ? OR email = ?");
    known.Bind(nick).Bind(email);
    if (known.Step())
        return;
    Statement s(db_, "INSERT OR IGNORE INTO accounts (nick, email, password, room) VALUES (?, ?, ?, ?)");
    s.Bind(nick).Bind(email).Bind(PasswordHash::Make(password)).Bind(nick);
    s.Step();
}

void ChatStore::Execute(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error("demo database: " + why);
    }
}

std::optional<ChatStore::Account> ChatStore::Check(const std::string& email, const std::string& password)
{
    std::optional<Account> account;
    std::string stored;
    {
        std::lock_guard lock(mutex_);
        Statement s(db_, "SELECT id, nick, email, room, password FROM accounts WHERE email = ?");
        s.Bind(email);
        if (!s.Step())
            return std::nullopt;
        account = Account{s.Int(0), s.Text(1), s.Text(2), s.Text(3)};
        stored = s.Text(4);
    }
    // Checked outside the lock: a hash is slow by design and must not hold up the room.
    if (!PasswordHash::Matches(stored, password))
        return std::nullopt;
    return account;
}

std::optional<ChatStore::Account> ChatStore::FindByEmail(const std::string& email)
{
    std::lock_guard lock(mutex_);
    Statement s(db_, "SELECT id, nick, email, room FROM accounts WHERE email = ?");
    s.Bind(email);
    if (!s.Step())
        return std::nullopt;
    return Account{s.Int(0), s.Text(1), s.Text(2), s.Text(3)};
}

std::string ChatStore::CreateAccount(const std::string& nick, const std::string& email, const std::string& password)
{
    const std::string hash = PasswordHash::Make(password);
    std::lock_guard lock(mutex_);
    Statement taken(db_, "SELECT nick = ? COLLATE NOCASE FROM accounts WHERE nick = ? OR email = ?");
    taken.Bind(nick).Bind(nick).Bind(email);
    if (taken.Step())
        return taken.Int(0) ? "That nick is already taken." : "An account with that e-mail address already exists.";
    Statement s(db_, "INSERT INTO accounts (nick, email, password, room) VALUES (?, ?, ?, ?)");
    s.Bind(nick).Bind(email).Bind(hash).Bind(nick);
    s.Step();
    return {};
}

bool ChatStore::ResetPassword(const std::string& nick, const std::string& email, const std::string& password)
{
    const std::string hash = PasswordHash::Make(password);
    std::lock_guard lock(mutex_);
    Statement s(db_, "UPDATE accounts SET password = ? WHERE nick = ? AND email = ?");
    s.Bind(hash).Bind(nick).Bind(email);
    s.Step();
    return sqlite3_changes(db_) > 0;
}

void ChatStore::SetRoom(std::int64_t accountId, const std::string& room)
{
    std::lock_guard lock(mutex_);
    Statement s(db_, "UPDATE accounts SET room = ? WHERE id = ?");
    s.Bind(room).Bind(accountId);
    s.Step();
}

ChatStore::Entry ChatStore::Enter(const std::string& nick)
{
    std::lock_guard lock(mutex_);
    const std::int64_t now = NowMs();
    Entry entry{NewToken(), 0, 0};
    Statement session(db_, "INSERT INTO sessions (token, nick, present_until) VALUES (?, ?, ?)");
    session.Bind(entry.token).Bind(nick).Bind(now + kFirstVisitMs);
    session.Step();
    Statement arrival(db_, "INSERT INTO arrivals (nick, at) VALUES (?, ?)");
    arrival.Bind(nick).Bind(now);
    arrival.Step();
    entry.arrivalId = sqlite3_last_insert_rowid(db_);
    Statement last(db_, "SELECT COALESCE(MAX(id), 0) FROM messages");
    last.Step();
    entry.lastMessageId = last.Int(0);
    return entry;
}

std::optional<ChatStore::Update> ChatStore::Poll(const std::string& token, std::int64_t afterArrival,
                                                 std::int64_t afterMessage)
{
    std::lock_guard lock(mutex_);
    const std::int64_t now = NowMs();
    Statement keep(db_, "UPDATE sessions SET present_until = MAX(present_until, ?) WHERE token = ?");
    keep.Bind(now + kPollKeepsMs).Bind(token);
    keep.Step();
    if (sqlite3_changes(db_) == 0)
        return std::nullopt;
    Update update;
    update.people = PeoplePresentLocked(now);
    Statement arrivals(db_, "SELECT id, nick FROM arrivals WHERE id > ? ORDER BY id LIMIT 100");
    arrivals.Bind(afterArrival);
    while (arrivals.Step())
        update.arrivals.push_back({arrivals.Int(0), arrivals.Text(1)});
    Statement messages(db_, "SELECT id, nick, text, at FROM messages WHERE id > ? ORDER BY id LIMIT 200");
    messages.Bind(afterMessage);
    while (messages.Step())
        update.messages.push_back({messages.Int(0), messages.Text(1), messages.Text(2), messages.Int(3)});
    return update;
}

bool ChatStore::Say(const std::string& token, const std::string& text)
{
    std::lock_guard lock(mutex_);
    Statement who(db_, "SELECT nick FROM sessions WHERE token = ?");
    who.Bind(token);
    if (!who.Step())
        return false;
    Statement s(db_, "INSERT INTO messages (nick, text, at) VALUES (?, ?, ?)");
    s.Bind(who.Text(0)).Bind(text).Bind(NowMs());
    s.Step();
    return true;
}

std::vector<std::string> ChatStore::PeoplePresent()
{
    std::lock_guard lock(mutex_);
    return PeoplePresentLocked(NowMs());
}

std::vector<std::string> ChatStore::PeoplePresentLocked(std::int64_t now)
{
    Statement s(db_, "SELECT DISTINCT nick FROM sessions WHERE present_until > ? ORDER BY nick COLLATE NOCASE");
    s.Bind(now);
    std::vector<std::string> people;
    while (s.Step())
        people.push_back(s.Text(0));
    return people;
}

std::vector<ChatStore::Message> ChatStore::LastMessages(int count)
{
    std::lock_guard lock(mutex_);
    Statement s(db_, "SELECT id, nick, text, at FROM (SELECT * FROM messages ORDER BY id DESC LIMIT ?) ORDER BY id");
    s.Bind(std::int64_t(count));
    std::vector<Message> messages;
    while (s.Step())
        messages.push_back({s.Int(0), s.Text(1), s.Text(2), s.Int(3)});
    return messages;
}
