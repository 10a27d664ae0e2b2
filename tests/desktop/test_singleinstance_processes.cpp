// Whole-program checks of the guard: real copies of the client on one display.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

QString Client()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/vellomar");
}

QByteArray FileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Waits until `process` has written `marker` on its standard error, or has ended.
bool WaitForMarker(QProcess& process, const QByteArray& marker, QByteArray& seen, int ms = 90000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        process.waitForReadyRead(200);
        seen += process.readAllStandardError();
        if (seen.contains(marker))
            return true;
        if (process.state() == QProcess::NotRunning)
            return false;
    }
    return false;
}

void Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(10000);
}

} // namespace

class SingleInstanceProcessTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir runtime_;

    std::unique_ptr<QProcess> Start(const QString& program)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELLOMAR_CONFIG_DIR"), config_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("VELLOMAR_TRACE_STARTUP"), QStringLiteral("1"));
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        process->setProcessEnvironment(env);
        process->start(program, {});
        return process;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(Client()));
        QVERIFY(!qEnvironmentVariableIsEmpty("DISPLAY"));
    }

    void aSecondCopyEndsSilentlyAndLeavesTheFirstAlone()
    {
        auto first = Start(Client());
        QByteArray firstSaid;
        QVERIFY(WaitForMarker(*first, "main-shown", firstSaid));
        const QString hive = config_.filePath(QStringLiteral("registry.sqlite"));
        const QByteArray before = FileDigest(hive);
        QVERIFY(!before.isEmpty());

        auto second = Start(Client());
        QVERIFY(second->waitForFinished(120000));
        const QByteArray secondSaid = second->readAllStandardError();
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY2(!secondSaid.contains("splash-shown") && !secondSaid.contains("main-shown"), secondSaid.constData());

        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(FileDigest(hive), before);
        Stop(*first);
    }

    void aRenamedExecutableRunsBesideTheFirst()
    {
        QTemporaryDir elsewhere;
        const QString renamed = elsewhere.filePath(QStringLiteral("vellomar-renamed"));
        QVERIFY(QFile::copy(Client(), renamed));
        auto first = Start(Client());
        QByteArray firstSaid;
        QVERIFY(WaitForMarker(*first, "main-shown", firstSaid));

        auto other = Start(renamed);
        QByteArray otherSaid;
        QVERIFY2(WaitForMarker(*other, "main-shown", otherSaid), otherSaid.constData());
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(other->state(), QProcess::Running);
        Stop(*other);
        Stop(*first);
    }

    void ofTwentyCopiesStartedAtOnceOneRemains()
    {
        std::vector<std::unique_ptr<QProcess>> copies;
        for (int i = 0; i < 20; ++i)
            copies.push_back(Start(Client()));
        for (auto& copy : copies)
            QVERIFY(copy->waitForStarted());

        // The others end by themselves; the one that runs on never does.
        QElapsedTimer clock;
        clock.start();
        auto running = [&] {
            int count = 0;
            for (auto& copy : copies)
                count += copy->state() != QProcess::NotRunning;
            return count;
        };
        while (running() > 1 && clock.elapsed() < 180000)
            for (auto& copy : copies)
                copy->waitForFinished(100);
        QCOMPARE(running(), 1);
        for (auto& copy : copies)
            if (copy->state() == QProcess::NotRunning) {
                QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
                QCOMPARE(copy->exitCode(), 0);
                const QByteArray said = copy->readAllStandardError();
                QVERIFY2(!said.contains("splash-shown") && !said.contains("main-shown"), said.constData());
            }
        // The one left is a whole program, not a copy stuck on its way out.
        for (auto& copy : copies)
            if (copy->state() != QProcess::NotRunning) {
                QByteArray said;
                QVERIFY(WaitForMarker(*copy, "main-shown", said));
                QThread::msleep(1000);
                QCOMPARE(copy->state(), QProcess::Running);
                Stop(*copy);
            }
    }
};

QTEST_GUILESS_MAIN(SingleInstanceProcessTest)
#include "test_singleinstance_processes.moc"
