#pragma once
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

// The demo service's data in one SQLite file: accounts, the people in the room (one session per
// chat page opened), arrivals and messages. Safe to use from the server's worker threads.
class ChatStore {
public:
    struct Account {
        std::int64_t id = 0;
        std::string nick, email, room;
    };
    struct Arrival {
        std::int64_t id = 0;
        std::string nick;
    };
    struct Message {
        std::int64_t id = 0;
        std::string nick, text;
        std::int64_t at = 0;  // milliseconds since the epoch
    };
    struct Entry {
        std::string token;
        std::int64_t arrivalId = 0;
        std::int64_t lastMessageId = 0;
    };
    struct Update {
        std::vector<std::string> people;
        std::vector<Arrival> arrivals;
        std::vector<Message> messages;
    };

    // Opens (creating when needed) the file, replaces plain-text passwords of an older file by
    // their hashes and seeds the demo accounts. Throws std::runtime_error.
    explicit ChatStore(const std::string& path);
    ~ChatStore();
    ChatStore(const ChatStore&) = delete;
    ChatStore& operator=(const ChatStore&) = delete;

    std::optional<Account> Check(const std::string& email, const std::string& password);
    std::optional<Account> FindByEmail(const std::string& email);
    // An empty string when created, else why not.
    std::string CreateAccount(const std::string& nick, const std::string& email, const std::string& password);
    bool ResetPassword(const std::string& nick, const std::string& email, const std::string& password);
    void SetRoom(std::int64_t accountId, const std::string& room);

    // Somebody opened the chat page: a new session, present for the first minute, and an arrival.
    Entry Enter(const std::string& nick);
    // A chat page asks what is new; asking keeps its session present. Nothing for an unknown token.
    std::optional<Update> Poll(const std::string& token, std::int64_t afterArrival, std::int64_t afterMessage);
    bool Say(const std::string& token, const std::string& text);
    std::vector<std::string> PeoplePresent();
    std::vector<Message> LastMessages(int count);

    static constexpr std::int64_t kFirstVisitMs = 60000;
    static constexpr std::int64_t kPollKeepsMs = 15000;

private:
    class Statement;
    static constexpr int kHashedPasswords = 1;  // the schema version that stores hashes only
    void HashPlainPasswords();
    void Seed(const char* nick, const char* email, const char* password);
    void Execute(const char* sql);
    std::vector<std::string> PeoplePresentLocked(std::int64_t now);

    sqlite3* db_ = nullptr;
    std::mutex mutex_;
};
