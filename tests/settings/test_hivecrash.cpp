#include "settings/RegistryHive.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

// Checks a value written by the writer: absent, or whole.
QString CheckValue(const std::optional<RegistryValue>& value)
{
    if (!value)
        return QString();
    if (value->type != REG_SZ || !value->data.endsWith('\0'))
        return QStringLiteral("wrong type or no end");
    const qsizetype colon = value->data.indexOf(':');
    bool ok = false;
    const qint64 round = value->data.left(colon).toLongLong(&ok);
    if (!ok || round < 1)
        return QStringLiteral("no round number");
    const QByteArray filler = value->data.mid(colon + 1, value->data.size() - colon - 2);
    if (filler != QByteArray(20000 + int(round % 5000), char('a' + round % 26)))
        return QStringLiteral("torn value of round %1").arg(round);
    return QString();
}

// The chain level0\level1\... is absent or complete.
QString CheckChain(RegistryHive& hive, RegistryHive::KeyId section)
{
    auto key = hive.OpenKey(section, QStringLiteral("level0"));
    if (!key)
        return QString();
    for (int depth = 1; depth < 40; ++depth) {
        key = hive.OpenKey(*key, QStringLiteral("level%1").arg(depth));
        if (!key)
            return QStringLiteral("chain cut at level %1").arg(depth);
    }
    return QString();
}

} // namespace

class HiveCrashTest : public QObject {
    Q_OBJECT

private slots:
    void aWriterKilledMidWriteLeavesAWholeHive()
    {
        QTemporaryDir dir;
        const QString hivePath = dir.filePath(QStringLiteral("registry.sqlite"));
        const QString writer = QCoreApplication::applicationDirPath() + QStringLiteral("/hive_crash_writer");
        QVERIFY(QFileInfo::exists(writer));

        // A round takes tens of milliseconds (every commit reaches the disk). Half the kills
        // fall anywhere from the start, the opening of the file included; the other half once a
        // round is done, so they land in the middle of later rounds however slowly the writer
        // starts (under the sanitizers it takes longer than the whole first range).
        for (int i = 0; i < 80; ++i) {
            QProcess process;
            process.start(writer, {hivePath});
            QVERIFY(process.waitForStarted());
            const bool afterARound = i % 2;
            if (afterARound)
                QVERIFY2(process.waitForReadyRead(30000), "the writer finished no round");
            auto* random = QRandomGenerator::global();
            QThread::msleep(afterARound ? random->bounded(0, 100) : random->bounded(5, 300));
            process.kill();
            process.waitForFinished();
            QVERIFY2(process.exitStatus() == QProcess::CrashExit, "the writer stopped by itself");

            auto hive = RegistryHive::Open(hivePath);
            QVERIFY(hive);
            QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*unreadable*")}), QStringList());
            const auto section = hive->OpenKey(RegistryHive::kRootKey, QStringLiteral("vellomar\\TForm3"));
            if (!section)
                continue;
            QCOMPARE(CheckValue(hive->QueryValue(*section, QStringLiteral("username.Text"))), QString());
            QCOMPARE(CheckChain(*hive, *section), QString());
        }
    }

    void writersInSeveralProcessesShareOneHive()
    {
        QTemporaryDir dir;
        const QString hivePath = dir.filePath(QStringLiteral("registry.sqlite"));
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int i = 0; i < 6; ++i) {
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(QCoreApplication::applicationDirPath() + QStringLiteral("/hive_crash_writer"), {hivePath});
        }
        for (auto& writer : writers)
            QVERIFY(writer->waitForStarted());
        QThread::msleep(1500);
        // A writer whose change failed (a table laid out twice, a lock refused at once) ends;
        // one waiting for the lock runs on. SQLite does not queue writers fairly, so only the
        // progress of all of them together is certain.
        QByteArray rounds;
        for (auto& writer : writers) {
            QCOMPARE(writer->state(), QProcess::Running);
            writer->kill();
            writer->waitForFinished();
            rounds += writer->readAllStandardOutput();
        }
        QVERIFY(!rounds.isEmpty());
        auto hive = RegistryHive::Open(hivePath);
        const auto section = hive->OpenKey(RegistryHive::kRootKey, QStringLiteral("vellomar\\TForm3"));
        QVERIFY(section);
        QCOMPARE(CheckValue(hive->QueryValue(*section, QStringLiteral("username.Text"))), QString());
    }
};

QTEST_GUILESS_MAIN(HiveCrashTest)
#include "test_hivecrash.moc"
