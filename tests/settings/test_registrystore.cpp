#include "settings/RegistryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A store that counts how often the medium is opened and closed.
class CountingStore final : public TAbstractStore {
public:
    int opened = 0;
    int closed = 0;
    void OpenStorage() override { ++opened; }
    void CloseStorage() override { ++closed; }
    QString ReadText(const QString&, const QString&, const QString& Default) override { return Default; }
    void WriteText(const QString&, const QString&, const QString&) override {}
    qint64 ValueCount(const QString&) override { return 0; }
};

RegistryKey UserRoot()
{
    return RegistryKey::Root(RegistryHiveRoot::CurrentUser);
}

} // namespace

class RegistryStoreTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // Runs `body` between Open and Close of a store on `keyName`.
    template <class Body> void WithStore(const QString& keyName, Body body)
    {
        TRegistryStore store;
        store.SetKeyName(keyName);
        store.Open();
        try {
            body(store);
        } catch (...) {
            store.Close();
            throw;
        }
        store.Close();
    }

private slots:
    void init()
    {
        for (const QString& name : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(dir_.filePath(name));
        qputenv("VELLOMAR_CONFIG_DIR", QFile::encodeName(dir_.path()));
    }

    void keyNameDropsOuterBackslashes_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("read");
        QTest::newRow("plain") << "vellomar" << "vellomar";
        QTest::newRow("around") << "\\vellomar\\\\" << "vellomar";
        QTest::newRow("inner kept") << "\\\\Software\\vellomar\\" << "Software\\vellomar";
        QTest::newRow("only backslashes") << "\\\\" << "Software\\" + QCoreApplication::applicationName();
        QTest::newRow("empty") << "" << "Software\\" + QCoreApplication::applicationName();
    }
    void keyNameDropsOuterBackslashes()
    {
        QFETCH(QString, written);
        QFETCH(QString, read);
        TRegistryStore store;
        store.SetKeyName(written);
        QCOMPARE(store.KeyName(), read);
        store.Open();
        QCOMPARE(store.Registry()->CurrentPath(), read);
        store.Close();
        QVERIFY(UserRoot().OpenSubKey(read).IsOpen());
    }

    void aChangedKeyNameWaitsForTheNextOpening()
    {
        TRegistryStore store;
        store.SetKeyName(QStringLiteral("first"));
        store.Open();
        store.SetKeyName(QStringLiteral("second"));
        store.WriteText(QStringLiteral("S"), QStringLiteral("v"), QStringLiteral("1"));
        store.Close();
        QVERIFY(UserRoot().OpenSubKey(QStringLiteral("first\\S")).IsOpen());
        QVERIFY(!UserRoot().OpenSubKey(QStringLiteral("second")).IsOpen());
    }

    void nestedOpensShareOneOpening()
    {
        CountingStore store;
        store.Close();
        QCOMPARE(store.closed, 0);
        store.Open();
        store.Open();
        store.Close();
        QCOMPARE(store.OpenCount(), 1);
        QCOMPARE(store.opened, 1);
        QCOMPARE(store.closed, 0);
        store.Close();
        QCOMPARE(store.closed, 1);
        store.Close();
        QCOMPARE(store.closed, 1);
        QCOMPARE(store.OpenCount(), 0);
    }

    void aMissingSectionGivesTheDefaultAndCreatesNothing()
    {
        WithStore(QStringLiteral("vellomar"), [](TRegistryStore& store) {
            QCOMPARE(store.ReadText(QStringLiteral("TForm3"), QStringLiteral("username.Text"), QStringLiteral("webmaster")),
                     QStringLiteral("webmaster"));
        });
        QCOMPARE(UserRoot().OpenSubKey(QStringLiteral("vellomar")).SubKeyNames(), QStringList());
    }

    void aMissingValueGivesTheDefault()
    {
        WithStore(QStringLiteral("vellomar"), [](TRegistryStore& store) {
            store.WriteText(QStringLiteral("TForm3"), QStringLiteral("email.Text"), QStringLiteral("a@b.c"));
            QCOMPARE(store.ReadText(QStringLiteral("TForm3"), QStringLiteral("username.Text"), QStringLiteral("d")),
                     QStringLiteral("d"));
        });
    }

    void writingCreatesTheKeysItNeeds()
    {
        WithStore(QStringLiteral("\\vellomar\\"), [](TRegistryStore& store) {
            store.WriteText(QStringLiteral("TForm3"), QStringLiteral("username.Text"), QStringLiteral("nick"));
        });
        const auto value = UserRoot().OpenSubKey(QStringLiteral("vellomar\\TForm3")).QueryValue(QStringLiteral("username.Text"));
        QVERIFY(value);
        QCOMPARE(value->type, quint32(REG_SZ));
        QCOMPARE(value->data, QByteArray("nick\0", 5));
    }

    void textRoundTrips_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty") << "TForm3" << "" << "" << QByteArray(1, '\0');
        QTest::newRow("accents and euro") << "TForm3" << "Zoé 5 €" << "Zoé 5 €" << QByteArray("Zo\xE9 5 \x80\0", 8);
        QTest::newRow("outside the code page") << "TForm3" << "日本" << "??" << QByteArray("??\0", 3);
        QTest::newRow("dotted section is one key") << "TForm3.Lines" << "x" << "x" << QByteArray("x\0", 2);
        QTest::newRow("store key itself") << "" << "top" << "top" << QByteArray("top\0", 4);
    }
    void textRoundTrips()
    {
        QFETCH(QString, section);
        QFETCH(QString, text);
        QFETCH(QString, back);
        QFETCH(QByteArray, stored);
        WithStore(QStringLiteral("vellomar"), [&](TRegistryStore& store) {
            store.WriteText(section, QStringLiteral("v"), text);
            QCOMPARE(store.ReadText(section, QStringLiteral("V"), QStringLiteral("default")), back);
        });
        const RegistryKey key = UserRoot().OpenSubKey(QStringLiteral("vellomar")).OpenSubKey(section);
        QCOMPARE(key.QueryValue(QStringLiteral("v"))->data, stored);
        QCOMPARE(UserRoot().OpenSubKey(QStringLiteral("vellomar")).SubKeyNames(),
                 section.isEmpty() ? QStringList() : QStringList{section});
    }

    void storedValuesOfOtherKindsAreReadOrRefused_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("error");
        QTest::newRow("dword") << quint32(REG_DWORD) << QByteArray("\1\0\0\0", 4) << QString()
                               << "Type de données incorrect pour 'username.Text'";
        QTest::newRow("binary") << quint32(REG_BINARY) << QByteArray("ab") << QString()
                                << "Type de données incorrect pour 'username.Text'";
        QTest::newRow("no bytes of any type") << quint32(REG_DWORD) << QByteArray() << "" << QString();
        QTest::newRow("expandable as stored") << quint32(REG_EXPAND_SZ) << QByteArray("%HOME%\0", 7) << "%HOME%" << QString();
        QTest::newRow("text up to its first NUL") << quint32(REG_SZ) << QByteArray("ab\0cd\0", 6) << "ab" << QString();
        QTest::newRow("text without NUL") << quint32(REG_SZ) << QByteArray("abc") << "abc" << QString();
    }
    void storedValuesOfOtherKindsAreReadOrRefused()
    {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, result);
        QFETCH(QString, error);
        QVERIFY(UserRoot().CreateSubKey(QStringLiteral("vellomar\\TForm3")).SetValue(QStringLiteral("username.Text"), {type, data}));
        QString message;
        QString read;
        WithStore(QStringLiteral("vellomar"), [&](TRegistryStore& store) {
            try {
                read = store.ReadText(QStringLiteral("TForm3"), QStringLiteral("username.Text"), QStringLiteral("default"));
            } catch (const ERegistryException& e) {
                message = e.Message();
            }
        });
        QCOMPARE(message, error);
        if (error.isEmpty())
            QCOMPARE(read, result);
    }

    void aSectionThatCannotBeCreatedRaises()
    {
        const QString longName(300, QLatin1Char('s'));
        QString message;
        WithStore(QStringLiteral("vellomar"), [&](TRegistryStore& store) {
            try {
                store.WriteText(longName, QStringLiteral("v"), QStringLiteral("x"));
            } catch (const ERegistryException& e) {
                message = e.Message();
            }
        });
        QCOMPARE(message, QStringLiteral("Echec à la création de la clé ") + longName);
    }

    void erasingASectionTakesItsSubkeys()
    {
        WithStore(QStringLiteral("vellomar"), [](TRegistryStore& store) {
            store.WriteText(QStringLiteral("TForm3"), QStringLiteral("a"), QStringLiteral("1"));
            store.WriteText(QStringLiteral("TForm3\\inner\\deeper"), QStringLiteral("b"), QStringLiteral("2"));
            store.WriteText(QStringLiteral("Kept"), QStringLiteral("c"), QStringLiteral("3"));
            store.EraseSection(QStringLiteral("tform3"));
            store.EraseSection(QStringLiteral("Missing"));
            QCOMPARE(store.ReadText(QStringLiteral("TForm3\\inner\\deeper"), QStringLiteral("b"), QStringLiteral("gone")),
                     QStringLiteral("gone"));
            QCOMPARE(store.ReadText(QStringLiteral("Kept"), QStringLiteral("c"), QString()), QStringLiteral("3"));
        });
        QCOMPARE(UserRoot().OpenSubKey(QStringLiteral("vellomar")).SubKeyNames(), QStringList{"Kept"});
    }

    // A section named by a path is erased as it was written: the last key of the path goes, the
    // keys above it stay.
    void aSectionNamedByAPathIsErased()
    {
        WithStore(QStringLiteral("vellomar"), [](TRegistryStore& store) {
            store.WriteText(QStringLiteral("Outer\\Inner"), QStringLiteral("v"), QStringLiteral("1"));
            store.WriteText(QStringLiteral("Outer"), QStringLiteral("w"), QStringLiteral("2"));
            store.EraseSection(QStringLiteral("outer\\inner"));
            QCOMPARE(store.ReadText(QStringLiteral("Outer\\Inner"), QStringLiteral("v"), QStringLiteral("gone")),
                     QStringLiteral("gone"));
            QCOMPARE(store.ReadText(QStringLiteral("Outer"), QStringLiteral("w"), QString()), QStringLiteral("2"));
        });
        QCOMPARE(UserRoot().OpenSubKey(QStringLiteral("vellomar\\Outer")).SubKeyNames(), QStringList{});
    }

    void theMachineRootAlsoLeavesTheKeyUnderTheUser()
    {
        TRegistryStore store;
        store.SetKeyName(QStringLiteral("vellomar"));
        store.SetRegistryRoot(TRegistryStore::rrLocalMachine);
        store.Open();
        store.WriteText(QStringLiteral("S"), QStringLiteral("v"), QStringLiteral("machine"));
        store.Close();
        const RegistryKey machine = RegistryKey::Root(RegistryHiveRoot::LocalMachine);
        QCOMPARE(machine.OpenSubKey(QStringLiteral("vellomar\\S")).QueryValue(QStringLiteral("v"))->data, QByteArray("machine\0", 8));
        const RegistryKey user = UserRoot().OpenSubKey(QStringLiteral("vellomar"));
        QVERIFY(user.IsOpen());
        QCOMPARE(user.SubKeyNames(), QStringList());
    }
};

QTEST_GUILESS_MAIN(RegistryStoreTest)
#include "test_registrystore.moc"
