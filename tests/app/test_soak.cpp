// The client on a real X display under a long run of notices: a chat page announces a newcomer
// 1000 times, ten a second. Every call returns, the program keeps answering all along, and its
// process tree (the client and the browser engine's processes) has allocated no more memory
// afterwards than before, within 10 MiB. The figures are printed.
#include "PageSupport.h"
#include "TestSupport.h"
#include "TreeMemory.h"
#include "app/MainForm.h"
#include "browser/ExternalBridge.h"
#include "framework/Timer.h"
#include "notify/NoticePopup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

namespace {

constexpr int kCalls = 1000;
constexpr qint64 kAllowedGrowthKiB = 10 * 1024;

// Waits until the main window's notice is down and the program has been idle for a while.
void Settle(TForm1& main)
{
    QTRY_VERIFY_WITH_TIMEOUT(!main.Timer1->Enabled() && !main.pop2->Window()->isVisible(), 15000);
    QTest::qWait(3000);
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    TForm1* Form1 = nullptr;
    int entered_ = 0;
    int returned_ = 0;
    int depth_ = 0;
    int deepest_ = 0;

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (run through scripts/with-xvfb)");
        Form1 = Application->CreateForm<TForm1>(*Application);
        Form1->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        // Counts the calls the page makes as they reach the main window and as they return.
        const TExternalBridge::TInvokeEvent invoke = Form1->wwwExternal->OnInvoke;
        Form1->wwwExternal->OnInvoke = [this, invoke](DISPID id, std::uint16_t flags, const DISPPARAMS& params,
                                                      QVariant* result) {
            ++entered_;
            deepest_ = std::max(deepest_, ++depth_);
            const HRESULT answer = invoke(id, flags, params, result);
            --depth_;
            ++returned_;
            return answer;
        };
    }

    void thousandNoticesTenASecond()
    {
        // One notice as the page loads, so the popup exists before the first measure; the run
        // starts when the test says so.
        const QString page = dir_.filePath(QStringLiteral("room.htm"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<html><body><p>room</p><script>"
                                  "window.external.pagesetup('Warm');"
                                  "var sent = 0;"
                                  "function startSoak() {"
                                  "  var timer = setInterval(function () {"
                                  "    window.external.pagesetup('Soak ' + sent);"
                                  "    if (++sent == %1) clearInterval(timer);"
                                  "  }, 100);"
                                  "}"
                                  "</script></body></html>")
                       .arg(kCalls)
                       .toUtf8());
        file.close();
        QVERIFY(LoadAndWait(*Form1->www, page));
        QTRY_COMPARE_WITH_TIMEOUT(returned_, 1, 10000);
        Settle(*Form1);
        const QMap<qint64, ProcessMemory> before = TreeMemory(::getpid());

        // The loop's pulse: the longest time between two ticks of a 100 ms timer.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer pulse;
        connect(&pulse, &QTimer::timeout, this, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
        });
        sinceTick.start();
        pulse.start(100);
        QElapsedTimer run;
        run.start();
        RunScript(*Form1->www, QStringLiteral("startSoak()"));
        QTRY_COMPARE_WITH_TIMEOUT(returned_, 1 + kCalls, 600000);
        const qint64 runMs = run.elapsed();
        QCOMPARE(entered_, returned_);
        QCOMPARE(depth_, 0);
        QVERIFY(Form1->pop2->Text().join(QString()).contains(QStringLiteral(">Soak %1<").arg(kCalls - 1)));
        Settle(*Form1);
        pulse.stop();
        // Still answering: the page and the window both respond.
        QCOMPARE(RunScript(*Form1->www, QStringLiteral("sent")).toInt(), kCalls);
        const QMap<qint64, ProcessMemory> after = TreeMemory(::getpid());

        qInfo("soak: %d calls in %lld ms, deepest nesting %d, longest gap between 100 ms ticks %lld ms", kCalls,
              runMs, deepest_, longestGap);
        const qint64 grown = Total(after, &ProcessMemory::anonymous) - Total(before, &ProcessMemory::anonymous);
        qInfo("soak: process tree (%d processes) allocated %lld KiB before, %lld KiB after, growth %lld KiB;"
              " proportional share %lld KiB before, %lld KiB after",
              int(after.size()), Total(before, &ProcessMemory::anonymous), Total(after, &ProcessMemory::anonymous),
              grown, Total(before, &ProcessMemory::proportional), Total(after, &ProcessMemory::proportional));
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            qInfo("soak:   pid %lld: allocated %lld KiB -> %lld KiB", it.key(), before.value(it.key()).anonymous,
                  it.value().anonymous);
        // A stall this long is a hang, not a slow machine.
        QVERIFY2(longestGap < 5000, qPrintable(QStringLiteral("the loop stood still for %1 ms").arg(longestGap)));
#ifndef __SANITIZE_ADDRESS__
        // Under AddressSanitizer freed blocks wait in its quarantine (up to 256 MiB) before they
        // are reused, so growth there says nothing about the program's own.
        QVERIFY2(grown <= kAllowedGrowthKiB, qPrintable(QStringLiteral("grew by %1 KiB").arg(grown)));
#endif
    }
};

VELLOMAR_TEST_MAIN(SoakTest)
#include "test_soak.moc"
