#include "TestSupport.h"
#include "framework/Form.h"
#include "tray/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>
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
    QTemporaryDir cache_;

private slots:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache_.path()));
        for (const QTemporaryDir* dir : {&runtime_, &cache_}) {
            QDir(dir->path()).removeRecursively();
            QDir().mkdir(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    // The lock lives in a folder only this user can write to: the runtime folder when it is
    // private, else a folder of the program's own in the user's cache folder.
    void theLockIsNamedAfterTheExecutable_data()
    {
        QTest::addColumn<QString>("runtimeFolder");
        QTest::addColumn<int>("runtimeMode");
        QTest::addColumn<QString>("expected");
        const QString cached = cache_.filePath(QStringLiteral("vellomar/chat.exe.lock"));
        QTest::newRow("runtime folder") << runtime_.path() << 0700 << runtime_.filePath(QStringLiteral("chat.exe.lock"));
        QTest::newRow("no runtime folder") << QString() << 0 << cached;
        QTest::newRow("runtime folder open to others") << runtime_.path() << 0777 << cached;
        QTest::newRow("runtime folder missing") << runtime_.filePath(QStringLiteral("gone")) << 0 << cached;
    }
    void theLockIsNamedAfterTheExecutable()
    {
        QFETCH(QString, runtimeFolder);
        QFETCH(int, runtimeMode);
        QFETCH(QString, expected);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder));
        if (runtimeMode)
            QCOMPARE(::chmod(QFile::encodeName(runtimeFolder).constData(), mode_t(runtimeMode)), 0);
        QCOMPARE(TSingleInstance::LockPath(QStringLiteral("chat.exe")), expected);
        struct stat folder {};
        QCOMPARE(::lstat(QFile::encodeName(QFileInfo(expected).path()).constData(), &folder), 0);
        QVERIFY(S_ISDIR(folder.st_mode));
        QCOMPARE(folder.st_uid, ::geteuid());
        QCOMPARE(folder.st_mode & 0077, mode_t(0));
    }

    // A folder of that name that another user made first is not taken.
    void aCacheFolderOfAnotherUserIsRefused()
    {
        qunsetenv("XDG_RUNTIME_DIR");
        const QString folder = cache_.filePath(QStringLiteral("vellomar"));
        QVERIFY(QDir().mkpath(folder));
        if (::chown(QFile::encodeName(folder).constData(), 65534, 65534) != 0)
            QSKIP("only the superuser can give a folder away");
        QCOMPARE(TSingleInstance::LockPath(QStringLiteral("chat.exe")), QString());
        RecordingDialogs dialogs;
        GuardForm form([](TSingleInstance* guard) { guard->SetTerminate(false); });
        QVERIFY(!form.SingleInstance1->OwnsLock());
        QCOMPARE(dialogs.boxes.size(), 1);
        QVERIFY2(dialogs.boxes.first().text.startsWith(
                     QStringLiteral("Unable to verify that Mutex already exists! An Exception was raised with the message : ")),
                 qPrintable(dialogs.boxes.first().text));
    }

    // A lock file that is not a plain file of this user's is not trusted.
    void aLockFileThatIsNotTheUsersIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("another user's file") << "foreign";
        QTest::newRow("a FIFO") << "fifo";
    }
    void aLockFileThatIsNotTheUsersIsRefused()
    {
        QFETCH(QString, kind);
        const QByteArray path = QFile::encodeName(TSingleInstance::LockPath(ExecutableName()));
        if (kind == QStringLiteral("fifo")) {
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        } else {
            QFile file(QFile::decodeName(path));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            if (::chown(path.constData(), 65534, 65534) != 0)
                QSKIP("only the superuser can give a file away");
        }
        RecordingDialogs dialogs;
        int raised = 0;
        GuardForm form([&](TSingleInstance* guard) {
            guard->SetTerminate(false);
            guard->ApplicationExists = [&raised](QObject*) { ++raised; };
        });
        QVERIFY(!form.SingleInstance1->OwnsLock());
        QCOMPARE(raised, 1);
        QCOMPARE(dialogs.boxes.size(), 1);
        QVERIFY2(dialogs.boxes.first().text.startsWith(
                     QStringLiteral("Unable to verify that Mutex already exists! An Exception was raised with the message : ")),
                 qPrintable(dialogs.boxes.first().text));
    }

    // An error in the handler is reported and the guard still does what it is set to do.
    void aFailingHandlerStillLetsTheGuardAct()
    {
        GuardForm first;
        QVERIFY(first.SingleInstance1->OwnsLock());
        RecordingDialogs dialogs;
        GuardForm later([](TSingleInstance* guard) {
            guard->SetTerminate(false);
            guard->SetInformUser(true);
            guard->ApplicationExists = [](QObject*) { throw Exception(QStringLiteral("handler failed")); };
        });
        QCOMPARE(dialogs.boxes.size(), 2);
        QCOMPARE(dialogs.boxes[0].text, QStringLiteral("handler failed"));
        QCOMPARE(dialogs.boxes[1].text, QStringLiteral("Another instance of this application appears to be running!"));
        QVERIFY(later.created);
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
