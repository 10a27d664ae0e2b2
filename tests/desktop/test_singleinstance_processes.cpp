// Whole-program checks of the guard: real copies of the client on one display.
#include "ChildProcess.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

QByteArray FileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class SingleInstanceProcessesTest : public QObject {
    Q_OBJECT

private:
    // Every copy is the same user's: one settings folder, one lock folder.
    ClientFolders folders_;

    std::unique_ptr<ChildProcess> Start(const QString& program)
    {
        auto copy = std::make_unique<ChildProcess>();
        copy->Start(program, {}, folders_.Environment());
        return copy;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(ClientProgram()));
        QVERIFY(!qEnvironmentVariableIsEmpty("DISPLAY"));
    }

    void aSecondCopyEndsSilentlyAndLeavesTheFirstAlone()
    {
        auto first = Start(ClientProgram());
        QVERIFY(first->WaitForOutput("main-shown", 90000));
        const QString hive = folders_.Config() + QStringLiteral("/registry.sqlite");
        const QByteArray before = FileDigest(hive);
        QVERIFY(!before.isEmpty());

        auto second = Start(ClientProgram());
        QVERIFY(second->WaitForEnd(120000));
        const QByteArray secondSaid = second->Output();
        QVERIFY2(second->EndedCleanly(), secondSaid.constData());
        QVERIFY2(!secondSaid.contains("splash-shown") && !secondSaid.contains("main-shown"), secondSaid.constData());

        QVERIFY(first->Running());
        QCOMPARE(FileDigest(hive), before);
    }

    void aRenamedExecutableRunsBesideTheFirst()
    {
        QTemporaryDir elsewhere;
        const QString renamed = elsewhere.filePath(QStringLiteral("vellomar-renamed"));
        QVERIFY(QFile::copy(ClientProgram(), renamed));
        auto first = Start(ClientProgram());
        QVERIFY(first->WaitForOutput("main-shown", 90000));

        auto other = Start(renamed);
        QVERIFY2(other->WaitForOutput("main-shown", 90000), other->Output().constData());
        QVERIFY(first->Running());
        QVERIFY(other->Running());
    }

    void ofTwentyCopiesStartedAtOnceOneRemains()
    {
        std::vector<std::unique_ptr<ChildProcess>> copies;
        for (int i = 0; i < 20; ++i)
            copies.push_back(Start(ClientProgram()));
        for (auto& copy : copies)
            QVERIFY(copy->Started());

        // The others end by themselves; the one that runs on never does.
        QElapsedTimer clock;
        clock.start();
        auto running = [&] {
            int count = 0;
            for (auto& copy : copies)
                count += copy->Running();
            return count;
        };
        while (running() > 1 && clock.elapsed() < 180000)
            for (auto& copy : copies)
                copy->WaitForEnd(100);
        QCOMPARE(running(), 1);
        for (auto& copy : copies)
            if (!copy->Running()) {
                const QByteArray said = copy->Output();
                QVERIFY2(copy->EndedCleanly(), said.constData());
                QVERIFY2(!said.contains("splash-shown") && !said.contains("main-shown"), said.constData());
            }
        // The one left is a whole program, not a copy stuck on its way out.
        for (auto& copy : copies)
            if (copy->Running()) {
                QVERIFY(copy->WaitForOutput("main-shown", 90000));
                QThread::msleep(1000);
                QVERIFY(copy->Running());
            }
    }
};

QTEST_GUILESS_MAIN(SingleInstanceProcessesTest)
#include "test_singleinstance_processes.moc"
