#include "ChatStore.h"
#include "SignInThrottle.h"

#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// A database as the demo service wrote it before it hashed passwords: schema version 0.
void WritePlainDatabase(const QString& path)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db,
                          "CREATE TABLE accounts (id INTEGER PRIMARY KEY, nick TEXT NOT NULL UNIQUE COLLATE NOCASE,"
                          " email TEXT NOT NULL UNIQUE COLLATE NOCASE, password TEXT NOT NULL, room TEXT NOT NULL);"
                          "INSERT INTO accounts (nick, email, password, room) VALUES"
                          " ('demo', 'demo@vellomar.test', 'demo', 'demo'),"
                          " ('zoe', 'zoe@x.test', 'plain secret  ', 'lounge');",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(db);
}

QStringList StoredPasswords(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT password FROM accounts ORDER BY id", -1, &s, nullptr);
    QStringList passwords;
    while (sqlite3_step(s) == SQLITE_ROW)
        passwords << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return passwords;
}

// A clock the test moves by hand.
struct ManualClock {
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    SignInThrottle::Clock Reader()
    {
        return [this] { return now; };
    }
};

} // namespace

class TestDemoAccounts : public QObject {
    Q_OBJECT

private slots:
    void plainDatabaseIsHashedOnOpen()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("old.sqlite"));
        WritePlainDatabase(path);
        {
            ChatStore store(path.toStdString());
            QVERIFY(store.Check("zoe@x.test", "plain secret  "));
            QVERIFY(!store.Check("zoe@x.test", "plain secret"));
            QVERIFY(store.Check("demo@vellomar.test", "demo"));
            QCOMPARE(store.Check("zoe@x.test", "plain secret  ")->room, std::string("lounge"));
        }
        const QStringList stored = StoredPasswords(path);
        QCOMPARE(stored.size(), 3);  // the second demo account was seeded
        for (const QString& hash : stored)
            QVERIFY2(hash.startsWith(QLatin1String("$argon2id$")), qPrintable(hash));
        QCOMPARE(QSet<QString>(stored.begin(), stored.end()).size(), 3);  // salted: no two alike

        // Opening again leaves the hashes alone: hashing a hash would lock everybody out.
        ChatStore again(path.toStdString());
        QCOMPARE(StoredPasswords(path), stored);
        QVERIFY(again.Check("zoe@x.test", "plain secret  "));
        QVERIFY(again.Check("ann@vellomar.test", "ann"));
    }

    void newAndResetPasswordsAreStoredHashed()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("new.sqlite"));
        ChatStore store(path.toStdString());
        QCOMPARE(store.CreateAccount("bob", "bob@x.test", "first"), std::string());
        QVERIFY(store.ResetPassword("bob", "bob@x.test", "second"));
        QVERIFY(store.Check("bob@x.test", "second"));
        QVERIFY(!store.Check("bob@x.test", "first"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.contains("second"));
        for (const QString& hash : StoredPasswords(path))
            QVERIFY(hash.startsWith(QLatin1String("$argon2id$")));
    }

    void failuresSlowDownTheAccount()
    {
        ManualClock clock;
        SignInThrottle throttle(clock.Reader());
        for (int i = 0; i < SignInThrottle::kFreeAccountFailures; ++i) {
            QCOMPARE(throttle.Wait("ann@x", "10.0.0.1").count(), 0);
            throttle.Failed("ann@x", "10.0.0." + std::to_string(i));
        }
        QCOMPARE(throttle.Wait("ann@x", "10.0.0.9").count(), 0);
        throttle.Failed("ANN@x", "10.0.0.9");  // the same account in other case
        QCOMPARE(throttle.Wait("ann@x", "10.0.0.10"), std::chrono::milliseconds(1s));
        QCOMPARE(throttle.Wait("bob@x", "10.0.0.10").count(), 0);  // other accounts go on
        clock.now += 1s;
        QCOMPARE(throttle.Wait("ann@x", "10.0.0.10").count(), 0);
        throttle.Failed("ann@x", "10.0.0.10");
        QCOMPARE(throttle.Wait("ann@x", "10.0.0.10"), std::chrono::milliseconds(2s));  // doubled
        for (int i = 0; i < 40; ++i)
            throttle.Failed("ann@x", "10.0.0.11");
        QCOMPARE(throttle.Wait("ann@x", "10.0.0.12"), std::chrono::milliseconds(SignInThrottle::kLongestWait));

        // A success clears the account; a quiet spell forgets it.
        clock.now += SignInThrottle::kLongestWait;
        throttle.Succeeded("ann@x");
        throttle.Failed("ann@x", "10.0.0.13");
        QCOMPARE(throttle.Wait("ann@x", "10.0.0.13").count(), 0);
        for (int i = 0; i < 10; ++i)
            throttle.Failed("bob@x", "10.0.1." + std::to_string(i));
        QVERIFY(throttle.Wait("bob@x", "10.0.1.20").count() > 0);
        clock.now += SignInThrottle::kForgetAfter;
        throttle.Failed("bob@x", "10.0.1.20");
        QCOMPARE(throttle.Wait("bob@x", "10.0.1.20").count(), 0);
    }

    void failuresSlowDownTheAddress()
    {
        ManualClock clock;
        SignInThrottle throttle(clock.Reader());
        for (int i = 0; i < SignInThrottle::kFreeAddressFailures; ++i)
            throttle.Failed("user" + std::to_string(i) + "@x", "10.0.0.1");
        QCOMPARE(throttle.Wait("fresh@x", "10.0.0.1").count(), 0);
        throttle.Failed("another@x", "10.0.0.1");
        QCOMPARE(throttle.Wait("fresh@x", "10.0.0.1"), std::chrono::milliseconds(1s));
        QCOMPARE(throttle.Wait("fresh@x", "10.0.0.2").count(), 0);
        throttle.Succeeded("fresh@x");  // one good account does not clear the address
        QVERIFY(throttle.Wait("fresh@x", "10.0.0.1").count() > 0);
    }

    // Guessers choose the keys: the oldest are dropped once the bound is reached.
    void trackedKeysAreBounded()
    {
        ManualClock clock;
        SignInThrottle throttle(clock.Reader());
        for (int i = 0; i < SignInThrottle::kFreeAccountFailures + 10; ++i)
            throttle.Failed("first@x", "a");
        QVERIFY(throttle.Wait("first@x", "b").count() > 0);
        for (std::size_t i = 0; i < SignInThrottle::kMostTracked; ++i) {
            clock.now += 1ms;
            throttle.Failed("guess" + std::to_string(i) + "@x", "addr" + std::to_string(i));
        }
        QCOMPARE(throttle.Wait("first@x", "b").count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDemoAccounts)
#include "test_demo_accounts.moc"
