#include "TestSupport.h"
#include "framework/Form.h"
#include "tray/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <unistd.h>

namespace {

// A main window holding one guard; `adjust` sets the guard's properties in the layout.
class GuardForm : public TForm {
    Q_OBJECT

public:
    explicit GuardForm(const std::function<void(TSingleInstance*)>& adjust = {})
    {
        BeginLayout();
        setObjectName(QStringLiteral("Form1"));
        SetCaption(QStringLiteral("Vellomar manager"));
        SingleInstance1 = AddComponent(new TSingleInstance(this));
        SingleInstance1->setObjectName(QStringLiteral("SingleInstance1"));
        if (adjust)
            adjust(SingleInstance1);
        OnCreate = [this](QObject*) { created = true; };
        EndLayout();
    }

    TSingleInstance* SingleInstance1 = nullptr;
    bool created = false;
};

QString ExecutableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir runtime_;

private slots:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        QDir(runtime_.path()).removeRecursively();
        QDir().mkpath(runtime_.path());
    }

    void theLockIsNamedAfterTheExecutable_data()
    {
        QTest::addColumn<bool>("withRuntimeFolder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("runtime folder") << true << runtime_.filePath(QStringLiteral("chat.exe.lock"));
        QTest::newRow("temp folder with the user id")
            << false << QDir::temp().filePath(QStringLiteral("chat.exe.%1.lock").arg(::getuid()));
    }
    void theLockIsNamedAfterTheExecutable()
    {
        QFETCH(bool, withRuntimeFolder);
        QFETCH(QString, expected);
        if (!withRuntimeFolder)
            qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(TSingleInstance::LockPath(QStringLiteral("chat.exe")), expected);
    }

    void aSecondGuardOnOneWindowIsRefused()
    {
        GuardForm form;
        try {
            TSingleInstance second(&form);
            QFAIL("a second guard was accepted");
        } catch (const ESingleInstance& e) {
            QCOMPARE(e.Message(), QStringLiteral("SingleInstance component duplicated in Form1"));
        }
        QCOMPARE(form.findChildren<TSingleInstance*>().size(), 1);
    }

    void theFirstCopyHoldsTheLockUntilItsWindowGoes()
    {
        auto* first = new GuardForm;
        QVERIFY(first->SingleInstance1->OwnsLock());
        QVERIFY(QFileInfo::exists(TSingleInstance::LockPath(ExecutableName())));
        first->Destroy();
        GuardForm again([](TSingleInstance* guard) { guard->SetTerminate(false); });
        QVERIFY(again.SingleInstance1->OwnsLock());
    }

    // Runs last but one: the rows that end the application leave it ending.
    void aLaterCopyIsToldAsConfigured_data()
    {
        QTest::addColumn<bool>("terminate");
        QTest::addColumn<bool>("informUser");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("silent, running on") << false << false << -1 << QString() << QString();
        QTest::newRow("warned, running on") << false << true << int(TMessageKind::Warning) << "Avertissement"
                                            << "Another instance of this application appears to be running!";
        QTest::newRow("told, ending") << true << true << int(TMessageKind::Error) << "Vellomar Chat"
                                      << "Another instance of this application appears to be running. You must \r\n"
                                         "close any previous instances before continuing. ";
        QTest::newRow("silent, ending") << true << false << -1 << QString() << QString();
    }
    void aLaterCopyIsToldAsConfigured()
    {
        QFETCH(bool, terminate);
        QFETCH(bool, informUser);
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        GuardForm first;
        QVERIFY(first.SingleInstance1->OwnsLock());

        RecordingDialogs dialogs;
        int raised = 0;
        GuardForm later([&](TSingleInstance* guard) {
            guard->SetTerminate(terminate);
            guard->SetInformUser(informUser);
            guard->ApplicationExists = [&raised](QObject*) { ++raised; };
        });
        QCOMPARE(raised, 1);
        QVERIFY(!later.SingleInstance1->OwnsLock());
        QCOMPARE(dialogs.boxes.size(), kind < 0 ? 0 : 1);
        if (kind >= 0) {
            QCOMPARE(int(dialogs.boxes.first().kind), kind);
            QCOMPARE(dialogs.boxes.first().caption, caption);
            QCOMPARE(dialogs.boxes.first().text, text);
        }
        QCOMPARE(Application->Terminated(), terminate);
        // An ending program creates its windows without running their create events.
        QCOMPARE(later.created, !terminate);
    }

    void aLockThatCannotBeCheckedCountsAsAnotherCopy()
    {
        QVERIFY(QDir(runtime_.path()).mkdir(ExecutableName() + QStringLiteral(".lock")));
        RecordingDialogs dialogs;
        int raised = 0;
        GuardForm form([&](TSingleInstance* guard) {
            guard->SetTerminate(false);
            guard->ApplicationExists = [&raised](QObject*) { ++raised; };
        });
        QCOMPARE(raised, 1);
        QVERIFY(!form.SingleInstance1->OwnsLock());
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes.first().text,
                 QStringLiteral("Unable to verify that Mutex already exists! An Exception was raised with the message : ")
                     + QString::fromLocal8Bit(strerror(EISDIR)));
    }
};

VELLOMAR_TEST_MAIN(SingleInstanceTest)
#include "test_singleinstance.moc"
