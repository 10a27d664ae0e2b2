// An hour in a busy room on a hundredth of the time: the client shows the demo service's chat
// page while a member speaks every second and a newcomer enters every minute, each newcomer a
// notice. Over the hour, the memory the process tree holds for its own use (its share of
// anonymous and shared memory) grows by at most 5 % of the tree's proportional share of memory.
// Its share of mapped files is left out: it moves with other programs on the machine mapping the
// same libraries.
//
// The room talks a hundred times faster than a real one, and the engine's page process sizes
// its heaps to that pace over the first half hour or so (growing by tens of MiB, then staying
// flat); so a first hour runs before the measured one. bench/memory/run measures the first
// hour in real time. The figures are printed.
#include "DemoService.h"
#include "PageSupport.h"
#include "TestSupport.h"
#include "TreeMemory.h"
#include "app/ClientWindows.h"
#include "app/MainForm.h"
#include "browser/ExternalBridge.h"
#include "service/ServiceAddresses.h"
#include "tray/TrayIcon.h"

#include <QGuiApplication>

#include <unistd.h>

namespace {

constexpr double kTimeScale = 0.01;
constexpr int kSimulatedHourMs = int(3600 * 1000 * kTimeScale);
constexpr int kNewcomersInAnHour = 60;
constexpr double kAllowedGrowth = 0.05;

} // namespace

class MemoryInUseTest : public QObject {
    Q_OBJECT

private:
    // The service simulating its busy room from the start.
    DemoService demo_{{QStringLiteral("--simulate-chat"), QString::number(kTimeScale)}};
    TForm1* Form1 = nullptr;
    int notices_ = 0;

    // This process and the engine's processes: the tree without the demo service.
    QMap<qint64, ProcessMemory> ClientMemory()
    {
        QMap<qint64, ProcessMemory> memory = TreeMemory(::getpid());
        memory.remove(demo_.process.Process().processId());
        return memory;
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (run through scripts/with-xvfb)");
        QVERIFY2(demo_.Started(), demo_.process.Output().constData());
        Form1 = ClientWindows(*Application).Form1;
        Form1->TrayIcon1->TrayAvailable = [] { return true; };
        Form1->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        const TExternalBridge::TInvokeEvent invoke = Form1->wwwExternal->OnInvoke;
        Form1->wwwExternal->OnInvoke = [this, invoke](DISPID id, std::uint16_t flags, const DISPPARAMS& params,
                                                      QVariant* result) {
            ++notices_;
            return invoke(id, flags, params, result);
        };
    }

    void anHourInABusyRoom()
    {
        QVERIFY(LoadAndWait(
            *Form1->www,
            QString::fromStdString(ServiceAddress::ChatPage(demo_.host, "demo", "demo@vellomar.test", "demo"))));
        // The page then holds all the lines it keeps, the notice has been up, and the engine has
        // taken the pace.
        QTest::qWait(kSimulatedHourMs);
        QVERIFY(notices_ > 0);
        const int noticesBefore = notices_;
        const QMap<qint64, ProcessMemory> before = ClientMemory();
        // Sampled every ten simulated minutes, to see how it grows.
        for (int minute = 10; minute <= 60; minute += 10) {
            QTest::qWait(kSimulatedHourMs / 6);
            qInfo("memory in use: minute %d: held for its own use %lld KiB, %d newcomers noticed", minute,
                  Total(ClientMemory(), &ProcessMemory::InUse), notices_ - noticesBefore);
        }
        const QMap<qint64, ProcessMemory> after = ClientMemory();
        const int newcomers = notices_ - noticesBefore;

        // The page took the whole hour in, and kept only its last lines.
        QCOMPARE(RunScript(*Form1->www, QStringLiteral("document.getElementById('messages').children.length")).toInt(),
                 200);

        const qint64 share = Total(before, &ProcessMemory::proportional);
        const qint64 grown = Total(after, &ProcessMemory::InUse) - Total(before, &ProcessMemory::InUse);
        qInfo("memory in use: %d newcomers noticed in a simulated hour of %d ms", newcomers, kSimulatedHourMs);
        qInfo("memory in use: tree of %d processes, proportional share %lld KiB before, %lld KiB after;"
              " held for its own use %lld KiB before, %lld KiB after: grown by %lld KiB, %.1f %% of the share",
              int(after.size()), share, Total(after, &ProcessMemory::proportional),
              Total(before, &ProcessMemory::InUse), Total(after, &ProcessMemory::InUse), grown,
              100.0 * double(grown) / double(share));
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            qInfo("memory in use:   pid %lld: own use %lld KiB -> %lld KiB", it.key(), before.value(it.key()).InUse(),
                  it.value().InUse());
        // A few may still be on their way when the hour ends.
        QVERIFY2(newcomers >= kNewcomersInAnHour - 5, qPrintable(QString::number(newcomers)));
#ifndef __SANITIZE_ADDRESS__
        // Under AddressSanitizer freed blocks wait in its quarantine before they are reused, so
        // growth there says nothing about the program's own.
        QVERIFY2(double(grown) <= kAllowedGrowth * double(share),
                 qPrintable(QStringLiteral("grew by %1 KiB of %2 KiB").arg(grown).arg(share)));
#endif
    }
};

VELLOMAR_TEST_MAIN(MemoryInUseTest)
#include "test_memory_in_use.moc"
