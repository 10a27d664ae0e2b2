// Bringing the first copy's window forward, on a real X server with a window manager.
#include "ChildProcess.h"
#include "DesktopSupport.h"
#include "tray/PriorInstance.h"

#include <QTest>
#include <QWidget>

class SingleInstanceRaiseTest : public QObject {
    Q_OBJECT

private slots:
    void theOtherProgramsMinimisedWindowComesBack()
    {
        ClientFolders folders;
        ChildProcess client;
        QVERIFY(client.Start(ClientProgram(), {}, folders.Environment()));
        const QString title = QStringLiteral("Vellomar manager");
        QVERIFY(WaitFor([&] { return VisibleWindowsNamed(title).size() == 1; }, 60000));
        const QString window = VisibleWindowsNamed(title).first();

        Xdotool({QStringLiteral("windowminimize"), window});
        QVERIFY(WaitFor([&] { return VisibleWindowsNamed(title).isEmpty(); }, 60000));

        QVERIFY(!RaisePriorWindow(QStringLiteral("No such window")));
        QVERIFY(RaisePriorWindow(title));
        QVERIFY(WaitFor([&] { return VisibleWindowsNamed(title) == QStringList{window}; }, 60000));
        QVERIFY(WaitFor([&] { return Xdotool({QStringLiteral("getactivewindow")}) == window; }, 60000));
    }

    void aWindowOfThisProgramIsNeverTaken()
    {
        QWidget own;
        own.setWindowTitle(QStringLiteral("Own window"));
        own.show();
        QVERIFY(QTest::qWaitForWindowExposed(&own));
        QVERIFY(!RaisePriorWindow(QStringLiteral("Own window")));
    }
};

QTEST_MAIN(SingleInstanceRaiseTest)
#include "test_singleinstance_raise.moc"
