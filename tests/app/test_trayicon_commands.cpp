#include "PageSupport.h"
#include "TestSupport.h"
#include "app/ClientWindows.h"
#include "app/LoginForm.h"
#include "app/MainForm.h"
#include "framework/PopupMenu.h"
#include "tray/TrayIcon.h"

#include <QAction>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTimer>

// The main window's tray, close and menu commands, on the real main window.
class TrayIconCommandsTest : public QObject {
    Q_OBJECT

private:
    TForm1* Form1 = nullptr;
    TForm3* Form3 = nullptr;
    void TrayClick()
    {
        Form1->TrayIcon1->HandleTrayMessage(WM_LBUTTONDOWN);
        Form1->TrayIcon1->HandleTrayMessage(WM_LBUTTONUP);
    }
    void RunItem(const char* name) { Form1->PopupMenu1->FindItem(QLatin1String(name))->trigger(); }
    // What the tray reports when its keyboard path asks for the icon's menu or activates it.
    void TrayAsks(QSystemTrayIcon::ActivationReason reason)
    {
        emit Form1->TrayIcon1->findChild<QSystemTrayIcon*>()->activated(reason);
    }

private slots:
    void initTestCase()
    {
        const ClientWindows windows(*Application);
        Form1 = windows.Form1;
        Form3 = windows.Form3;
        // The offscreen platform has no tray; these cases are about a desktop that has one.
        Form1->TrayIcon1->TrayAvailable = [] { return true; };
        QSignalSpy loaded(Form1->www, &TEmbeddedBrowser::loadFinished);
        Form1->Show();
        QVERIFY(loaded.wait(30000));
    }

    void trayMenuItems()
    {
        const QList<QAction*> items = Form1->PopupMenu1->actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("Login"));
        QCOMPARE(items[1]->text(), QStringLiteral("Open vellomar"));
        QCOMPARE(items[2]->text(), QStringLiteral("Close Vellomar"));
        QVERIFY(!items[0]->icon().isNull());
        QVERIFY(!items[1]->icon().isNull());
        QVERIFY(items[2]->icon().isNull());
        QCOMPARE(Form1->TrayIcon1->IconData().szTip, QStringLiteral("Vellomar chat running"));
    }

    void closeBoxHidesToTheTrayAndTheTrayBringsTheSamePageBack()
    {
        const QUrl page = PageView(*Form1->www).url();
        Form1->close();
        QVERIFY(!Form1->isVisible());
        QVERIFY(!Application->Terminated());
        TrayClick();
        QVERIFY(Form1->isVisible());
        QCOMPARE(PageView(*Form1->www).url(), page);
    }

    void openItemRevealsTheWindow()
    {
        Form1->close();
        QVERIFY(!Form1->isVisible());
        RunItem("Openvellomar1");
        QVERIFY(Form1->isVisible());
    }

    void minimiseHidesToTheTray()
    {
        Form1->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!Form1->isVisible());
        TrayClick();
        QVERIFY(Form1->isVisible());
        QVERIFY(!Form1->isMinimized());
    }

    void loginItemShowsTheLoginWindowAlone()
    {
        Form1->close();
        RunItem("Login1");
        QVERIFY(Form3->isVisible());
        QVERIFY(!Form1->isVisible());
        Form3->hide();
        TrayClick();
    }

    void theTrayMenuWorksFromTheKeyboard_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("loginShown");
        QTest::addColumn<bool>("mainShown");
        QTest::newRow("Enter on the marked first item") << QList<int>{Qt::Key_Return} << true << false;
        QTest::newRow("Down, Enter") << QList<int>{Qt::Key_Down, Qt::Key_Return} << false << true;
        QTest::newRow("Escape") << QList<int>{Qt::Key_Escape} << false << false;
    }
    void theTrayMenuWorksFromTheKeyboard()
    {
        QFETCH(QList<int>, keys);
        QFETCH(bool, loginShown);
        QFETCH(bool, mainShown);
        Form1->close();
        Form3->hide();
        TPopupMenu* menu = Form1->PopupMenu1;
        TrayAsks(QSystemTrayIcon::Context);
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->activeAction(), menu->FindItem(QStringLiteral("Login1")));
        for (int key : keys)
            QTest::keyClick(menu, Qt::Key(key));
        QTRY_VERIFY(!menu->isVisible());
        QTRY_COMPARE(Form3->isVisible(), loginShown);
        QCOMPARE(Form1->isVisible(), mainShown);
        Form3->hide();
        // Activated from the keyboard, the icon brings the window back.
        TrayAsks(QSystemTrayIcon::Trigger);
        QVERIFY(Form1->isVisible());
    }

    void withoutTrayCloseMinimisesInstead()
    {
        Form1->TrayIcon1->TrayAvailable = [] { return false; };
        Form1->close();
        QVERIFY(Form1->isVisible());
        QVERIFY(Form1->isMinimized());
        Form1->TrayIcon1->TrayAvailable = [] { return true; };
        TrayClick();
        QVERIFY(!Form1->isMinimized());
    }

    // Last: it ends the program's message loop, even with the main window hidden and the login
    // window (which only hides when closed) on the screen.
    void closeItemEndsTheProgramEvenWhileHidden()
    {
        Form1->close();
        Form3->Show();
        QVERIFY(!Form1->isVisible());
        QVERIFY(!Application->Terminated());
        QTimer::singleShot(0, this, [this] { RunItem("CloseVellomar1"); });
        // A loop that did not end would be ended here with 1.
        QTimer::singleShot(15000, this, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(Application->Terminated());
    }
};

VELLOMAR_TEST_MAIN(TrayIconCommandsTest)
#include "test_trayicon_commands.moc"
