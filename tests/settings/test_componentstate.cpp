#include "HangGuard.h"
#include "StateTestForms.h"
#include "TestSupport.h"
#include "settings/RegistryHive.h"
#include "settings/RegistryKey.h"

#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

const QStringList kLoginLines = {QStringLiteral("username.Text"), QStringLiteral("password.Text"),
                                 QStringLiteral("email.Text")};

RegistryKey LoginSection()
{
    return RegistryKey::Root(RegistryHiveRoot::CurrentUser).OpenSubKey(QStringLiteral("vellomar\\TForm3"));
}

// The stored text of a value of the login section, or "<none>".
QString Stored(const QString& name)
{
    const auto value = LoginSection().QueryValue(name);
    if (!value)
        return QStringLiteral("<none>");
    QByteArray data = value->data;
    if (data.endsWith('\0'))
        data.chop(1);
    return QString::fromLatin1(data);
}

void Store(const QString& name, const QString& text)
{
    TRegistryStore store;
    store.SetKeyName(QStringLiteral("vellomar"));
    store.Open();
    store.WriteText(QStringLiteral("TForm3"), name, text);
    store.Close();
}

// Value names exactly as spelled in the hive file, read without the hive's own code.
QStringList ValueNamesOnDisk()
{
    QStringList names;
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(RegistryHive::FilePath(RegistryHiveRoot::CurrentUser)).constData(), &db,
                    SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM vals ORDER BY name", -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return names;
}

// Creates a form, lets `body` work on it, then destroys it as the program does.
template <class Body>
void WithForm(const QStringList& lines, Body body, const std::function<void(StateTestForm*)>& adjust = {})
{
    auto* form = new StateTestForm(lines, adjust);
    body(form);
    form->Destroy();
}

} // namespace

class ComponentStateTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private slots:
    void init()
    {
        QFile::remove(dir_.filePath(QStringLiteral("registry.sqlite")));
        qputenv("VELLOMAR_CONFIG_DIR", QFile::encodeName(dir_.path()));
    }

    void firstRunKeepsDesignValuesAndTheFirstCloseWritesAll()
    {
        WithForm(kLoginLines, [](StateTestForm* form) {
            QCOMPARE(form->username->Text(), QStringLiteral("webmaster"));
            QCOMPARE(form->email->Text(), QString());
            QVERIFY(form->ComponentState1->Restored());
            QVERIFY(!LoginSection().IsOpen());
            form->close();
            QCOMPARE(Stored(QStringLiteral("username.Text")), QStringLiteral("webmaster"));
            QCOMPARE(LoginSection().QueryValue(QStringLiteral("email.Text"))->data, QByteArray(1, '\0'));
            QCOMPARE(LoginSection().QueryValue(QStringLiteral("password.Text"))->type, quint32(REG_SZ));
            QCOMPARE(Stored(QStringLiteral("password.Text")), QString());
        });
    }

    void valuesComeBackWithoutOuterBlanks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("spaces") << "  nick  " << "nick";
        QTest::newRow("tabs and newline") << "\tnick\n" << "nick";
        QTest::newRow("inner blanks stay") << " a  b " << "a  b";
        QTest::newRow("only blanks") << "   " << "";
    }
    void valuesComeBackWithoutOuterBlanks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        WithForm(kLoginLines, [&](StateTestForm* form) {
            form->username->SetText(typed);
            form->password->SetText(typed);
            form->close();
        });
        QCOMPARE(Stored(QStringLiteral("username.Text")), kept);
        Store(QStringLiteral("email.Text"), typed);
        WithForm(kLoginLines, [&](StateTestForm* form) {
            QCOMPARE(form->username->Text(), kept);
            QCOMPARE(form->password->Text(), kept);
            QCOMPARE(form->email->Text(), kept);
        });
    }

    void pathsInAnyCaseStoreUnderTheDeclaredNames()
    {
        const QStringList lines = {QStringLiteral("USERNAME.text"), QStringLiteral(" Email . TEXT "),
                                   QStringLiteral("password.Text")};
        WithForm(lines, [](StateTestForm* form) {
            form->email->SetText(QStringLiteral("a@b.c"));
            form->close();
            QCOMPARE(form->ComponentState1->LineComponent(1), form->email);
            QCOMPARE(form->ComponentState1->StoredProperties().at(1), QStringLiteral("email.TEXT"));
        });
        QCOMPARE(ValueNamesOnDisk(), (QStringList{"email.Text", "password.Text", "username.Text"}));
        QCOMPARE(Stored(QStringLiteral("email.Text")), QStringLiteral("a@b.c"));
    }

    void afterOneCloseOnlyTheNextCloseWritesLaterEdits()
    {
        WithForm(kLoginLines, [](StateTestForm* form) {
            form->username->SetText(QStringLiteral("first"));
            form->close();
            QVERIFY(form->ComponentState1->Saved());
            form->Show();
            form->username->SetText(QStringLiteral("second"));
            form->close();
            QCOMPARE(Stored(QStringLiteral("username.Text")), QStringLiteral("second"));
            form->username->SetText(QStringLiteral("never closed"));
        });
        QCOMPARE(Stored(QStringLiteral("username.Text")), QStringLiteral("second"));
    }

    void destructionWritesWhenNothingWasSavedSinceTheRestore()
    {
        WithForm(kLoginLines, [](StateTestForm* form) { form->username->SetText(QStringLiteral("at exit")); });
        QCOMPARE(Stored(QStringLiteral("username.Text")), QStringLiteral("at exit"));
    }

    void aRefusedCloseWritesNothing()
    {
        auto* form = new StateTestForm(kLoginLines, [](StateTestForm* f) {
            f->OnCloseQuery = [](QObject*, bool& CanClose) { CanClose = false; };
        });
        form->username->SetText(QStringLiteral("typed"));
        form->close();
        QVERIFY(!form->ComponentState1->Saved());
        QVERIFY(!LoginSection().IsOpen());
        // Deleted without its destroy event: the persister must not touch the dying form.
        delete form;
        QVERIFY(!LoginSection().IsOpen());
    }

    void persistingBeforeARestoreWritesNothing()
    {
        WithForm(kLoginLines, [](StateTestForm* form) {
            TComponentState* state = form->ComponentState1;
            QVERIFY(!state->Restored());
            state->SetActive(true);
            bool fired = false;
            state->OnSaveState = [&fired](QObject*) { fired = true; };
            state->PersistState();
            QVERIFY(!fired);
            QVERIFY(!state->Saved());
            form->close();
            QVERIFY(!fired);
        }, [](StateTestForm* form) { form->ComponentState1->SetActive(false); });
        QVERIFY(!LoginSection().IsOpen());
    }

    void aRemovedStoreStopsThePersister()
    {
        WithForm(kLoginLines, [](StateTestForm* form) {
            delete form->RegistryStore1;
            QVERIFY(!form->ComponentState1->Active());
            QCOMPARE(form->ComponentState1->Storage(), nullptr);
            form->username->SetText(QStringLiteral("lost"));
            form->close();
        });
        QVERIFY(!LoginSection().IsOpen());
    }

    void linesFollowTheComponents()
    {
        const QStringList lines = {QStringLiteral("nobody.Text"), QStringLiteral("nodot"), QStringLiteral(".Text"),
                                   QStringLiteral("username."), QStringLiteral("email.NoSuchProperty"),
                                   QStringLiteral("username.Text"), QStringLiteral("password.Text")};
        WithForm(lines, [](StateTestForm* form) {
            QCOMPARE(form->ComponentState1->StoredProperties(),
                     (QStringList{"email.NoSuchProperty", "username.Text", "password.Text"}));
            delete form->password;
            QCOMPARE(form->ComponentState1->StoredProperties(), (QStringList{"email.NoSuchProperty", "username.Text"}));
            form->username->setObjectName(QStringLiteral("nick"));
            form->close();
            QCOMPARE(form->ComponentState1->StoredProperties(), (QStringList{"email.NoSuchProperty", "nick.Text"}));
        });
        QCOMPARE(ValueNamesOnDisk(), QStringList{"nick.Text"});
    }

    void aValueThatCannotBeReadLeavesOnlyItsProperty()
    {
        QVERIFY(RegistryKey::Root(RegistryHiveRoot::CurrentUser)
                    .CreateSubKey(QStringLiteral("vellomar\\TForm3"))
                    .SetValue(QStringLiteral("username.Text"), {REG_DWORD, QByteArray("\1\0\0\0", 4)}));
        Store(QStringLiteral("email.Text"), QStringLiteral("a@b.c"));
        RecordingDialogs dialogs;
        WithForm(kLoginLines, [](StateTestForm* form) {
            QCOMPARE(form->username->Text(), QStringLiteral("webmaster"));
            QCOMPARE(form->email->Text(), QStringLiteral("a@b.c"));
        });
        QVERIFY(dialogs.boxes.isEmpty());
    }

    void aFailedSaveIsReportedAndTriedAgain()
    {
        RecordingDialogs dialogs;
        const QString section(300, QLatin1Char('s'));
        int saves = 0;
        WithForm(kLoginLines, [&](StateTestForm* form) {
            form->ComponentState1->OnSaveState = [&saves](QObject*) { ++saves; };
            form->close();
            QVERIFY(!form->ComponentState1->Saved());
        }, [&](StateTestForm* form) { form->ComponentState1->SetSection(section); });
        QCOMPARE(saves, 0);
        // Once at the close, once more at destruction.
        QCOMPARE(dialogs.boxes.size(), 2);
        QCOMPARE(dialogs.boxes.at(0).text, QStringLiteral("Echec à la création de la clé ") + section);
        QCOMPARE(dialogs.boxes.at(0).caption, QStringLiteral("Vellomar Chat"));
    }

    void theFormsOwnHandlersStillRunAndComeBack()
    {
        QStringList calls;
        auto* form = new StateTestForm(kLoginLines, [&calls](StateTestForm* f) {
            f->OnCreate = [&calls](QObject*) { calls << QStringLiteral("create"); };
            f->OnCloseQuery = [&calls](QObject*, bool&) { calls << QStringLiteral("closequery"); };
            f->OnDestroy = [&calls](QObject*) { calls << QStringLiteral("destroy"); };
        });
        form->ComponentState1->OnRestoreState = [&calls](QObject*) { calls << QStringLiteral("restored"); };
        form->ComponentState1->OnSaveState = [&calls](QObject*) { calls << QStringLiteral("saved"); };
        form->close();
        QCOMPARE(calls, (QStringList{"create", "closequery", "saved"}));
        delete form->ComponentState1;
        calls.clear();
        form->close();
        form->Destroy();
        QCOMPARE(calls, (QStringList{"closequery", "destroy"}));
    }

    void onlyFormsCanHoldAPersister()
    {
        QObject notAForm;
        try {
            TComponentState state(&notAForm);
            QFAIL("created on a plain object");
        } catch (const Exception& e) {
            QCOMPARE(e.Message(), QStringLiteral("This component can only be used on forms"));
        }
        QVERIFY(notAForm.children().isEmpty());
    }

    void propertyKindsRoundTrip_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << "Count" << QVariant(-42) << "-42";
        QTest::newRow("short") << "Small" << QVariant::fromValue<short>(-7) << "-7";
        QTest::newRow("boolean") << "Visible" << QVariant(false) << "False";
        QTest::newRow("char") << "Letter" << QVariant::fromValue('Z') << "Z";
        QTest::newRow("wide char") << "Glyph" << QVariant::fromValue(QChar(0xE9)) << "\u00E9";
        QTest::newRow("enumeration") << "Shape" << QVariant::fromValue(TGadget::shTriangle) << "shTriangle";
        QTest::newRow("set") << "Styles" << QVariant::fromValue(TGadget::TStyles(TGadget::fsBold | TGadget::fsUnderline))
                             << "[fsBold,fsUnderline]";
        QTest::newRow("empty set") << "Styles" << QVariant::fromValue(TGadget::TStyles()) << "[]";
        QTest::newRow("single") << "Ratio" << QVariant(0.1f) << "0.1";
        QTest::newRow("double") << "Scale" << QVariant(-2.75) << "-2.75";
        QTest::newRow("double to 15 digits") << "Scale" << QVariant(0.333333333333333) << "0.333333333333333";
        QTest::newRow("double large") << "Scale" << QVariant(1.5e20) << "1.5e+20";
        QTest::newRow("string") << "Caption" << QVariant(QStringLiteral("Zoé")) << "Zoé";
        QTest::newRow("short string") << "Code" << QVariant(QByteArray("abc")) << "abc";
        QTest::newRow("variant") << "Anything" << QVariant(QStringLiteral("12")) << "12";
    }
    void propertyKindsRoundTrip()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        const QStringList lines = {QStringLiteral("gadget.") + property};
        WithForm(lines, [&](StateTestForm* form) {
            QVERIFY(form->gadget->setProperty(qPrintable(property), value));
            form->close();
        });
        const auto stored = LoginSection().QueryValue(QStringLiteral("gadget.") + property);
        QVERIFY(stored);
        QCOMPARE(FromAnsiText(stored->data), text);
        WithForm(lines, [&](StateTestForm* form) { QCOMPARE(form->gadget->property(qPrintable(property)), value); });
    }

    void storedTextIsDecodedByKind_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("integer not a number") << "Count" << "abc" << QVariant(0);
        QTest::newRow("integer with blanks") << "Count" << " 7 " << QVariant(7);
        QTest::newRow("integer too large") << "Small" << "99999" << QVariant::fromValue<short>(3);
        QTest::newRow("boolean any case") << "Visible" << "fALSE" << QVariant(false);
        QTest::newRow("enumeration any case") << "Shape" << "SHCIRCLE" << QVariant::fromValue(TGadget::shCircle);
        QTest::newRow("enumeration unknown") << "Shape" << "shOval" << QVariant::fromValue(TGadget::shTriangle);
        QTest::newRow("set loosely written") << "Styles" << "[fsItalic, nonsense fsBOLD]"
                                             << QVariant::fromValue(TGadget::TStyles(TGadget::fsBold | TGadget::fsItalic));
        QTest::newRow("set of nothing known") << "Styles" << "[fsBoldItalic]" << QVariant::fromValue(TGadget::TStyles());
        QTest::newRow("float not a number") << "Scale" << "x" << QVariant(2.5);
        QTest::newRow("float exponent") << "Scale" << "1e3" << QVariant(1000.0);
        QTest::newRow("empty char") << "Letter" << "" << QVariant::fromValue('\0');
        QTest::newRow("empty wide char") << "Glyph" << "" << QVariant::fromValue(QChar(QLatin1Char('w')));
        QTest::newRow("int64 never read") << "Big" << "123" << QVariant::fromValue<qint64>(9);
    }
    void storedTextIsDecodedByKind()
    {
        QFETCH(QString, property);
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        Store(QStringLiteral("gadget.") + property, text);
        WithForm({QStringLiteral("gadget.") + property}, [&](StateTestForm* form) {
            QCOMPARE(form->gadget->property(qPrintable(property)), value);
        }, [](StateTestForm* form) {
            // Values the decoding must keep when the text does not fit.
            form->gadget->Small = 3;
            form->gadget->Shape = TGadget::shTriangle;
            form->gadget->Scale = 2.5;
            form->gadget->Glyph = QLatin1Char('w');
            form->gadget->Big = 9;
        });
    }

    void anEmptiedStringListKeepsItsOldLines()
    {
        const QStringList lines = {QStringLiteral("gadget.Lines")};
        WithForm(lines, [](StateTestForm* form) {
            form->gadget->Lines = {QStringLiteral(" one "), QStringLiteral("two")};
            form->close();
        });
        const RegistryKey list = RegistryKey::Root(RegistryHiveRoot::CurrentUser).OpenSubKey(QStringLiteral("vellomar\\TForm3.gadget.Lines"));
        QCOMPARE(list.QueryValue(QStringLiteral("Count"))->data, QByteArray("2\0", 2));
        QCOMPARE(list.QueryValue(QStringLiteral("Item0"))->data, QByteArray(" one \0", 6));
        WithForm(lines, [](StateTestForm* form) {
            QCOMPARE(form->gadget->Lines, (QStringList{" one ", "two"}));
            form->gadget->Lines.clear();
            form->close();
        });
        QVERIFY(!RegistryKey::Root(RegistryHiveRoot::CurrentUser).OpenSubKey(QStringLiteral("vellomar\\TForm3.gadget.Lines")).IsOpen());
        WithForm(lines, [](StateTestForm* form) { QCOMPARE(form->gadget->Lines, QStringList{"design"}); },
                 [](StateTestForm* form) { form->gadget->Lines = {QStringLiteral("design")}; });
    }

    // A damaged hive's count cannot ask for more lines than the section holds values.
    void aStringListReadsNoMoreLinesThanAreStored_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("restored");
        QTest::newRow("as written") << "2" << QStringList{"one", "two"};
        QTest::newRow("fewer than stored") << "1" << QStringList{"one"};
        QTest::newRow("billions") << "2000000000" << QStringList{"one", "two"};
        QTest::newRow("the largest number") << "2147483647" << QStringList{"one", "two"};
    }
    void aStringListReadsNoMoreLinesThanAreStored()
    {
        QFETCH(QString, count);
        QFETCH(QStringList, restored);
        TRegistryStore store;
        store.SetKeyName(QStringLiteral("vellomar"));
        store.Open();
        const QString section = QStringLiteral("TForm3.gadget.Lines");
        store.WriteText(section, QStringLiteral("Count"), count);
        store.WriteText(section, QStringLiteral("Item0"), QStringLiteral("one"));
        store.WriteText(section, QStringLiteral("Item1"), QStringLiteral("two"));
        store.Close();
        HangGuard guard(QStringLiteral("restoring a list of %1 lines").arg(count));
        WithForm({QStringLiteral("gadget.Lines")}, [&](StateTestForm* form) { QCOMPARE(form->gadget->Lines, restored); });
    }

    void objectsAndCollectionsAreFiledByTheirMembers()
    {
        const QStringList lines = {QStringLiteral("gadget.Font"), QStringLiteral("gadget.items[1].caption"),
                                   QStringLiteral("gadget.Peer")};
        auto addItems = [](StateTestForm* form) {
            for (int i = 0; i < 2; ++i)
                form->gadget->Items->Add(new GadgetItem);
            form->gadget->Peer = form->username;
        };
        WithForm(lines, [](StateTestForm* form) {
            form->gadget->Font->Name = QStringLiteral("Verdana");
            form->gadget->Font->Size = 11;
            qobject_cast<GadgetItem*>(form->gadget->Items->Item(1))->Caption = QStringLiteral("second");
            form->close();
        }, addItems);
        QCOMPARE(ValueNamesOnDisk(), (QStringList{"gadget.FontName", "gadget.FontSize", "gadget.Items[1].Caption"}));
        WithForm(lines, [](StateTestForm* form) {
            QCOMPARE(form->gadget->Font->Name, QStringLiteral("Verdana"));
            QCOMPARE(form->gadget->Font->Size, 11);
            QCOMPARE(qobject_cast<GadgetItem*>(form->gadget->Items->Item(1))->Caption, QStringLiteral("second"));
        }, addItems);
    }

private:
    static QString FromAnsiText(QByteArray data)
    {
        if (data.endsWith('\0'))
            data.chop(1);
        return QString::fromLatin1(data);
    }
};

VELLOMAR_TEST_MAIN(ComponentStateTest)
#include "test_componentstate.moc"
