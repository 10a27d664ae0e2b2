#include "TestSupport.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "tray/TrayIcon.h"

#include <QAction>

namespace {

// The program's main form, the same for every case.
TForm* MainWindow()
{
    return Application->MainForm() ? Application->MainForm() : Application->CreateForm<TForm>();
}

// The main form with a new tray icon whose events are written into a log.
struct TrayFixture {
    TForm* form = MainWindow();
    TTrayIcon* tray = new TTrayIcon(form);
    TPopupMenu* menu = new TPopupMenu(form);
    QStringList log;

    TrayFixture()
    {
        tray->TrayAvailable = [] { return true; };
        tray->SetPopupMenu(menu);
        menu->AddItem(QStringLiteral("Item1"), QStringLiteral("Item"), -1, [this](QObject*) { log << "item"; });
        auto button = [](TMouseButton b) { return b == mbLeft ? "left" : b == mbRight ? "right" : "middle"; };
        tray->OnClick = [this](QObject*) { log << "click"; };
        tray->OnDblClick = [this](QObject*) { log << "dblclick"; };
        tray->OnMouseDown = [this, button](QObject*, TMouseButton b, TShiftState shift, int, int) {
            log << QStringLiteral("down %1 %2").arg(button(b)).arg(shift & ~TShiftState(ssShift | ssAlt | ssCtrl));
        };
        tray->OnMouseUp = [this, button](QObject*, TMouseButton b, TShiftState shift, int, int) {
            log << QStringLiteral("up %1 %2").arg(button(b)).arg(shift & ~TShiftState(ssShift | ssAlt | ssCtrl));
        };
        tray->Loaded();
    }
    ~TrayFixture()
    {
        delete tray;
        delete menu;
        form->setWindowState(Qt::WindowNoState);
        form->hide();
    }
};

} // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void mouseMessagesBecomeEvents_data()
    {
        QTest::addColumn<QList<unsigned>>("messages");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("press and release") << QList<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP} << true
                                           << QStringList{"down left 8", "click", "up left 8"};
        QTest::newRow("double click") << QList<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}
                                      << true
                                      << QStringList{"down left 8", "click", "up left 8", "dblclick", "up left 8"};
        QTest::newRow("right button") << QList<unsigned>{WM_RBUTTONDOWN, WM_RBUTTONUP} << true
                                      << QStringList{"down right 16", "up right 16"};
        QTest::newRow("middle button") << QList<unsigned>{WM_MBUTTONDOWN, WM_MBUTTONUP} << true
                                       << QStringList{"down middle 32", "up middle 32"};
        QTest::newRow("release without press") << QList<unsigned>{WM_LBUTTONUP} << true << QStringList{"up left 8"};
        QTest::newRow("disabled") << QList<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN} << false
                                  << QStringList{};
    }
    void mouseMessagesBecomeEvents()
    {
        QFETCH(QList<unsigned>, messages);
        QFETCH(bool, enabled);
        QFETCH(QStringList, events);
        TrayFixture f;
        f.tray->Enabled = enabled;
        for (unsigned message : messages)
            f.tray->HandleTrayMessage(message);
        QCOMPARE(f.log, events);
        if (!enabled)
            QVERIFY(!f.menu->isVisible());
    }

    void menuOpensOnTheRightPress()
    {
        TrayFixture f;
        f.tray->HandleTrayMessage(WM_RBUTTONDOWN);
        QVERIFY(f.menu->isVisible());
        QCOMPARE(f.menu->PopupComponent(), f.tray);
        f.menu->hide();
        f.tray->HandleTrayMessage(WM_LBUTTONDOWN);
        QVERIFY(!f.menu->isVisible());
        f.tray->LeftPopup = true;
        f.tray->HandleTrayMessage(WM_LBUTTONDOWN);
        QVERIFY(f.menu->isVisible());
    }

    void menuWithoutAutoPopupStaysClosed()
    {
        TrayFixture f;
        f.menu->SetAutoPopup(false);
        f.tray->HandleTrayMessage(WM_RBUTTONDOWN);
        QVERIFY(!f.menu->isVisible());
    }

    void doubleClickRunsTheDefaultItem()
    {
        TrayFixture f;
        f.menu->setDefaultAction(f.menu->FindItem(QStringLiteral("Item1")));
        f.tray->HandleTrayMessage(WM_LBUTTONDBLCLK);
        QCOMPARE(f.log, (QStringList{"dblclick", "item"}));
        f.log.clear();
        f.tray->LeftPopup = true;
        f.tray->HandleTrayMessage(WM_LBUTTONDBLCLK);
        QCOMPARE(f.log, QStringList{"dblclick"});
    }

    void tipRules_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("showHint");
        QTest::addColumn<QString>("tip");
        const QString seventy(70, u'x');
        QTest::newRow("shown") << "Vellomar chat running" << true << "Vellomar chat running";
        QTest::newRow("cut to 63") << seventy << true << QString(63, u'x');
        QTest::newRow("hint off") << "Vellomar chat running" << false << "";
        QTest::newRow("empty hint") << "" << true << "";
    }
    void tipRules()
    {
        QFETCH(QString, hint);
        QFETCH(bool, showHint);
        QFETCH(QString, tip);
        TrayFixture f;
        f.tray->SetHint(hint);
        f.tray->SetShowHint(showHint);
        QCOMPARE(f.tray->IconData().szTip, tip);
        QCOMPARE(f.tray->IconData().uCallbackMessage, 0x800u);
    }

    void iconsCycleThroughTheList()
    {
        TrayFixture f;
        TImageList icons;
        for (QRgb colour : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) {
            QImage image(16, 16, QImage::Format_RGB32);
            image.fill(colour);
            icons.Add(image);
        }
        QList<int> next;
        f.tray->OnCycle = [&](QObject*, int index) { next << index; };
        f.tray->SetIconList(&icons);
        f.tray->SetCycleInterval(5);
        f.tray->SetCycleIcons(true);
        QTRY_VERIFY(next.size() >= 4);
        f.tray->SetCycleIcons(false);
        QCOMPARE(next.mid(0, 4), (QList<int>{1, 2, 0, 1}));
    }

    void iconIndexIsClamped()
    {
        TrayFixture f;
        TImageList icons;
        icons.Add(QImage(16, 16, QImage::Format_RGB32));
        icons.Add(QImage(16, 16, QImage::Format_RGB32));
        f.tray->SetIconList(&icons);
        f.tray->SetIconIndex(7);
        QCOMPARE(f.tray->IconIndex(), 1);
        f.tray->SetIconList(nullptr);
        f.tray->SetIconIndex(7);
        QCOMPARE(f.tray->IconIndex(), 0);
    }

    // A menu or an icon list that goes is forgotten: the icon neither opens nor reads it.
    void componentsThatGoAreForgotten()
    {
        TrayFixture f;
        auto* icons = new TImageList(f.form);
        icons->Add(QImage(16, 16, QImage::Format_RGB32));
        icons->Add(QImage(16, 16, QImage::Format_RGB32));
        f.tray->SetIconList(icons);
        delete icons;
        QCOMPARE(f.tray->IconList(), nullptr);
        f.tray->SetIconIndex(1);
        QCOMPARE(f.tray->IconIndex(), 0);

        delete f.menu;
        f.menu = nullptr;
        QCOMPARE(f.tray->PopupMenu(), nullptr);
        f.tray->HandleTrayMessage(WM_RBUTTONDOWN);
        f.tray->HandleTrayMessage(WM_RBUTTONUP);
        QCOMPARE(f.log, (QStringList{"down right 16", "up right 16"}));
    }

    void iconVisibilityAndPreview()
    {
        TrayFixture f;
        f.tray->SetIcon(QIcon(QPixmap::fromImage(QImage(16, 16, QImage::Format_RGB32))));
        QVERIFY(f.tray->InTray());
        f.tray->SetDesignPreview(false);
        QVERIFY(!f.tray->InTray());
        QVERIFY(f.tray->IconVisible());
        f.tray->SetIconVisible(false);
        QVERIFY(!f.tray->IconVisible());
    }

    void hideAndRevealTheMainWindow()
    {
        TrayFixture f;
        f.form->Show();
        f.tray->HideMainWindow();
        QVERIFY(!f.form->isVisible());
        f.tray->HandleTrayMessage(WM_LBUTTONDOWN);
        f.tray->RevealMainWindow();
        QVERIFY(f.form->isVisible());
    }

    void withoutTrayTheWindowMinimisesInstead()
    {
        TrayFixture f;
        f.tray->TrayAvailable = [] { return false; };
        f.form->Show();
        f.tray->HideMainWindow();
        QVERIFY(f.form->isVisible());
        QVERIFY(f.form->isMinimized());
    }

    void minimiseHidesToTheTray_data()
    {
        QTest::addColumn<bool>("minimizeToTray");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("to the tray") << true << true << true;
        QTest::newRow("option off") << false << true << false;
        QTest::newRow("no tray on the desktop") << true << false << false;
    }
    void minimiseHidesToTheTray()
    {
        QFETCH(bool, minimizeToTray);
        QFETCH(bool, trayAvailable);
        QFETCH(bool, hidden);
        TrayFixture f;
        f.tray->MinimizeToTray = minimizeToTray;
        f.tray->TrayAvailable = [trayAvailable] { return trayAvailable; };
        f.form->Show();
        f.form->setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        QCOMPARE(!f.form->isVisible(), hidden);
        f.tray->RevealMainWindow();
        QVERIFY(f.form->isVisible());
        QVERIFY(!f.form->isMinimized());
    }

    void startMinimizedKeepsTheMainWindowInTheTray_data()
    {
        QTest::addColumn<bool>("setBeforeLoading");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("iconVisible");
        QTest::addColumn<bool>("mainFormShown");
        QTest::newRow("stored with the layout") << true << true << true << false;
        QTest::newRow("set after loading, before the start") << false << true << true << false;
        QTest::newRow("no tray on the desktop") << true << false << true << true;
        QTest::newRow("no tray, set after loading") << false << false << true << true;
        QTest::newRow("icon kept out of the tray") << true << true << false << true;
    }
    void startMinimizedKeepsTheMainWindowInTheTray()
    {
        QFETCH(bool, setBeforeLoading);
        QFETCH(bool, trayAvailable);
        QFETCH(bool, iconVisible);
        QFETCH(bool, mainFormShown);
        Application->ShowMainForm = true;
        TTrayIcon tray(MainWindow());
        tray.TrayAvailable = [trayAvailable] { return trayAvailable; };
        tray.SetIconVisible(iconVisible);
        if (setBeforeLoading)
            tray.SetStartMinimized(true);
        tray.Loaded();
        if (!setBeforeLoading)
            tray.SetStartMinimized(true);
        QCOMPARE(Application->ShowMainForm, mainFormShown);
        Application->ShowMainForm = true;
    }
};

VELLOMAR_TEST_MAIN(TrayIconTest)
#include "test_trayicon.moc"
