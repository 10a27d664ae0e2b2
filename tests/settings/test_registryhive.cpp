#include "settings/RegistryAccessor.h"
#include "settings/RegistryHive.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <sys/stat.h>

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 0777;
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class RegistryHiveTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString HivePath() const { return dir_.filePath(QStringLiteral("registry.sqlite")); }

private slots:
    void init()
    {
        for (const QString& name : FilesIn(dir_.path()))
            QFile::remove(dir_.filePath(name));
        qputenv("VELLOMAR_CONFIG_DIR", QFile::encodeName(dir_.path()));
    }

    void keyNamesIgnoreCaseAndKeepTheirSpelling_data()
    {
        QTest::addColumn<QString>("created");
        QTest::addColumn<QString>("opened");
        QTest::newRow("same") << "Software\\Vellomar" << "Software\\Vellomar";
        QTest::newRow("lower") << "Software\\Vellomar" << "software\\vellomar";
        QTest::newRow("upper accented") << "Réglages\\Clé" << "RÉGLAGES\\CLÉ";
        QTest::newRow("doubled separators") << "Software\\Vellomar" << "Software\\\\Vellomar\\";
    }
    void keyNamesIgnoreCaseAndKeepTheirSpelling()
    {
        QFETCH(QString, created);
        QFETCH(QString, opened);
        auto hive = RegistryHive::Open(HivePath());
        QVERIFY(hive);
        const auto made = hive->CreateKey(RegistryHive::kRootKey, created);
        QVERIFY(made);
        QCOMPARE(hive->OpenKey(RegistryHive::kRootKey, opened), made);
        QCOMPARE(hive->CreateKey(RegistryHive::kRootKey, opened), made);
        const QString top = created.section(QLatin1Char('\\'), 0, 0);
        QCOMPARE(hive->SubKeyNames(RegistryHive::kRootKey), QStringList{top});
    }

    void valuesKeepTheirTypeAndBytes_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("text") << quint32(REG_SZ) << QByteArray("webmaster\0", 10);
        QTest::newRow("empty text") << quint32(REG_SZ) << QByteArray(1, '\0');
        QTest::newRow("expandable") << quint32(REG_EXPAND_SZ) << QByteArray("%HOME%\\x\0", 9);
        QTest::newRow("dword") << quint32(REG_DWORD) << QByteArray("\x2A\0\0\0", 4);
        QTest::newRow("no bytes") << quint32(REG_BINARY) << QByteArray();
        QTest::newRow("binary with zeros") << quint32(REG_BINARY) << QByteArray("\0\1\0\2", 4);
        QTest::newRow("qword") << quint32(REG_QWORD) << QByteArray(8, '\xFF');
    }
    void valuesKeepTheirTypeAndBytes()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        auto hive = RegistryHive::Open(HivePath());
        const auto key = hive->CreateKey(RegistryHive::kRootKey, QStringLiteral("vellomar\\TForm3"));
        QVERIFY(key);
        QVERIFY(hive->SetValue(*key, QStringLiteral("Value.Name"), {type, data}));
        const auto info = hive->QueryValueInfo(*key, QStringLiteral("VALUE.name"));
        QVERIFY(info);
        QCOMPARE(info->type, type);
        QCOMPARE(info->size, data.size());
        const auto value = hive->QueryValue(*key, QStringLiteral("value.name"));
        QVERIFY(value);
        QCOMPARE(value->data, data);
    }

    void rewritingAValueKeepsItsFirstSpelling()
    {
        auto hive = RegistryHive::Open(HivePath());
        const auto key = hive->CreateKey(RegistryHive::kRootKey, QStringLiteral("k"));
        QVERIFY(hive->SetValue(*key, QStringLiteral("username.Text"), {REG_SZ, "a"}));
        QVERIFY(hive->SetValue(*key, QStringLiteral("USERNAME.TEXT"), {REG_DWORD, "bcde"}));
        const auto value = hive->QueryValue(*key, QStringLiteral("username.text"));
        QCOMPARE(value->type, quint32(REG_DWORD));
        QCOMPARE(value->data, QByteArray("bcde"));
        // A second connection (another process) sees the one value under its first name.
        auto other = RegistryHive::Open(HivePath());
        QVERIFY(other->QueryValue(*key, QStringLiteral("Username.Text")));
    }

    void subkeysAreListedIgnoringCase()
    {
        auto hive = RegistryHive::Open(HivePath());
        for (const char* name : {"beta", "Alpha", "gamma", "ALPHA"})
            hive->CreateKey(RegistryHive::kRootKey, QString::fromLatin1(name));
        QCOMPARE(hive->SubKeyNames(RegistryHive::kRootKey), (QStringList{"Alpha", "beta", "gamma"}));
    }

    void deletingAKeyTakesEverythingBelowIt()
    {
        auto hive = RegistryHive::Open(HivePath());
        const auto section = hive->CreateKey(RegistryHive::kRootKey, QStringLiteral("vellomar\\TForm3"));
        const auto deep = hive->CreateKey(*section, QStringLiteral("a\\b\\c"));
        QVERIFY(hive->SetValue(*deep, QStringLiteral("v"), {REG_SZ, "x"}));
        const auto store = hive->OpenKey(RegistryHive::kRootKey, QStringLiteral("vellomar"));
        hive->CreateKey(*store, QStringLiteral("Other"));

        QVERIFY(hive->DeleteKeyTree(*store, QStringLiteral("tform3")));
        QCOMPARE(hive->SubKeyNames(*store), QStringList{"Other"});
        QVERIFY(!hive->KeyExists(*deep));
        // A handle on a deleted key fails; the key is not brought back by writing through it.
        QVERIFY(!hive->SetValue(*deep, QStringLiteral("v"), {REG_SZ, "y"}));
        QVERIFY(!hive->CreateKey(*section, QStringLiteral("again")));
        QVERIFY(!hive->DeleteKeyTree(*store, QStringLiteral("TForm3")));
        QVERIFY(!hive->DeleteKeyTree(RegistryHive::kRootKey, QString()));
    }

    void theUsersHiveIsPrivate()
    {
        const QString folder = dir_.filePath(QStringLiteral("fresh/vellomar"));
        auto hive = RegistryHive::Open(folder + QStringLiteral("/registry.sqlite"));
        QVERIFY(hive);
        QCOMPARE(ModeOf(folder), mode_t(0700));
        QCOMPARE(ModeOf(dir_.filePath(QStringLiteral("fresh"))), mode_t(0700));
        QCOMPARE(ModeOf(hive->FileName()), mode_t(0600));
    }

    void anOpenFileLosesPermissionsItShouldNotHave()
    {
        QFile file(HivePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ::chmod(QFile::encodeName(HivePath()).constData(), 0644);
        QVERIFY(RegistryHive::Open(HivePath()));
        QCOMPARE(ModeOf(HivePath()), mode_t(0600));
    }

    void anUnreadableHiveIsMovedAsideAndStartedAfresh_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("this is not a settings file\n");
        QByteArray torn(8192, '\x5A');
        torn.replace(0, 16, QByteArray("SQLite format 3\0", 16));
        QTest::newRow("torn database") << torn;
    }
    void anUnreadableHiveIsMovedAsideAndStartedAfresh()
    {
        QFETCH(QByteArray, content);
        QFile file(HivePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        auto hive = RegistryHive::Open(HivePath());
        QVERIFY(hive);
        const auto key = hive->CreateKey(RegistryHive::kRootKey, QStringLiteral("vellomar"));
        QVERIFY(key);
        QVERIFY(hive->SetValue(*key, QStringLiteral("v"), {REG_SZ, "ok"}));
        const QStringList files = FilesIn(dir_.path()).filter(QStringLiteral("registry.sqlite.unreadable-"));
        QCOMPARE(files.size(), 1);
        QFile aside(dir_.filePath(files.first()));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), content);
        aside.remove();
    }

    void aForeignDatabaseIsNotTakenForAHive()
    {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(HivePath()).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "PRAGMA application_id = 42; CREATE TABLE keys(x)", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);

        auto hive = RegistryHive::Open(HivePath());
        QVERIFY(hive);
        QVERIFY(hive->CreateKey(RegistryHive::kRootKey, QStringLiteral("vellomar")));
        QCOMPARE(FilesIn(dir_.path()).filter(QStringLiteral("unreadable")).size(), 1);
    }

    void aFolderThatCannotBeMadeGivesNoHive()
    {
        QFile blocker(dir_.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!RegistryHive::Open(dir_.filePath(QStringLiteral("blocker/sub/registry.sqlite"))));
        QVERIFY(!RegistryKey().CreateSubKey(QStringLiteral("x")).IsOpen());
    }

    void theAccessorOpensFromTheRootOrTheCurrentKey_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("rootKeys");
        QTest::newRow("relative") << "TForm3" << "vellomar\\TForm3" << QStringList{"vellomar"};
        QTest::newRow("from the root") << "\\TForm3" << "TForm3" << QStringList{"TForm3", "vellomar"};
    }
    void theAccessorOpensFromTheRootOrTheCurrentKey()
    {
        QFETCH(QString, second);
        QFETCH(QString, path);
        QFETCH(QStringList, rootKeys);
        RegistryAccessor registry;
        QVERIFY(registry.OpenKey(QStringLiteral("vellomar"), true));
        QVERIFY(registry.OpenKey(second, true));
        QCOMPARE(registry.CurrentPath(), path);
        QCOMPARE(RegistryKey::Root(RegistryHiveRoot::CurrentUser).SubKeyNames(), rootKeys);
        QVERIFY(!registry.OpenKey(QStringLiteral("missing"), false));
        QVERIFY(!registry.CurrentKey().IsOpen());
        QCOMPARE(registry.CurrentPath(), QString());
    }
};

QTEST_GUILESS_MAIN(RegistryHiveTest)
#include "test_registryhive.moc"
