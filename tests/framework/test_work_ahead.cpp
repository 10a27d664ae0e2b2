#include "framework/WorkAhead.h"

#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

class WorkAheadTest : public QObject {
    Q_OBJECT

private slots:
    // Each result is handed out once, whether the work was done when asked for or not.
    void resultsAreHandedOutOnce_data()
    {
        QTest::addColumn<int>("workMs");
        QTest::addRow("done-before-asked") << 0;
        QTest::addRow("still-working-when-asked") << 100;
    }
    void resultsAreHandedOutOnce()
    {
        QFETCH(int, workMs);
        WorkAhead<QString, std::unique_ptr<int>> ahead;
        std::atomic<int> made{0};
        ahead.Start({QStringLiteral("a"), QStringLiteral("bb")}, [&made, workMs](const QString& key) {
            std::this_thread::sleep_for(std::chrono::milliseconds(workMs));
            ++made;
            return std::make_unique<int>(int(key.size()));
        });
        if (workMs == 0)
            QTRY_COMPARE(made.load(), 2);
        const std::optional<std::unique_ptr<int>> bb = ahead.Take(QStringLiteral("bb"));
        QCOMPARE(made.load(), 2);
        QVERIFY(bb && *bb);
        QCOMPARE(**bb, 2);
        QVERIFY(!ahead.Take(QStringLiteral("bb")));
        QVERIFY(!ahead.Take(QStringLiteral("c")));
        const auto a = ahead.Take(QStringLiteral("a"));
        QVERIFY(a && *a);
        QCOMPARE(**a, 1);
    }

    void nothingStartedHandsOutNothing()
    {
        WorkAhead<int, int> ahead;
        QVERIFY(!ahead.Take(1));
    }
};

QTEST_GUILESS_MAIN(WorkAheadTest)
#include "test_work_ahead.moc"
