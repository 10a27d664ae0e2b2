// The built client on a real X server, with openbox and without a window manager: its windows
// wear the skinned frame, the caption drags the window, the caption buttons minimise to the tray,
// maximise and restore, and close to the tray; the login window, a message box and the tray menu
// are skinned too, and so is the skin gallery. The screenshots go to out/ for a person to look at.
#include "ChildProcess.h"
#include "DesktopSupport.h"
#include "TestSupport.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

const QString kMain = QStringLiteral("Vellomar manager");
const QString kLogin = QStringLiteral("Vellomar Login");
const QString kErrorBox = QStringLiteral("Erreur");

bool WindowManagerRuns()
{
    return ToolOutput(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains(u'#');
}

QImage Screen()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("screen.png"));
    ToolOutput(QStringLiteral("import"), {"-window", "root", file});
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// The first visible window with the title `title`, or an empty string.
QString ShownWindow(const QString& title)
{
    return VisibleWindowsNamed(title).value(0);
}

void Click(QPoint at, int button = 1)
{
    Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", QString::number(button)});
}

} // namespace

class SkinnedDesktopTest : public QObject {
    Q_OBJECT

    ClientFolders folders_;
    ChildProcess trayHost_;
    ChildProcess client_;
    QPoint icon_;
    QString desktop_;
    TSkinData skin_;

    void Save(const QImage& screen, const QString& what)
    {
        const QString dir = QStringLiteral(VELLOMAR_SOURCE_DIR "/out");
        QDir().mkpath(dir);
        QVERIFY(screen.save(QStringLiteral("%1/skin-%2-%3.png").arg(dir, desktop_, what)));
    }
    // The centre of the caption button with this Action on a window placed at `window`.
    QPoint CaptionButton(const QRect& window, int action) const
    {
        for (const auto& button : skin_.Elements().SysButtons)
            if (button->Action == action && button->Align == 1) {
                const int w = button->Image.width() / button->FrameCount;
                return QPoint(window.right() + 1 - button->Xcoord + w / 2,
                              window.top() + button->Ycoord + button->Image.height() / 2);
            }
        return {};
    }
    // The caption strip shows the skin's Top image (its active or inactive frame).
    bool WearsTheSkin(const QImage& screen, const QRect& window) const
    {
        const QImage& top = skin_.Elements().Top->Image;
        const int frameHeight = top.height() / skin_.Elements().Top->FrameCount;
        const QRgb shown = screen.pixel(window.left() + window.width() / 2, window.top() + 12) & RGB_MASK;
        return shown == (top.pixel(top.width() / 2, 12) & RGB_MASK)
            || shown == (top.pixel(top.width() / 2, frameHeight + 12) & RGB_MASK);
    }
    // With a window manager: it draws no frame of its own around the window.
    void CheckNoManagerFrame(const QString& window)
    {
        if (desktop_ != u"openbox")
            return;
        const QString extents = ToolOutput(QStringLiteral("xprop"), {"-id", window, "_NET_FRAME_EXTENTS"});
        QVERIFY2(extents.endsWith(QStringLiteral("= 0, 0, 0, 0")), qPrintable(extents));
    }
    QRect Main() { return WindowGeometry(ShownWindow(kMain)); }
    void BringMainBack()
    {
        LetTheFocusGo();
        Click(icon_);
        QVERIFY(WaitFor([] { return WindowShown(kMain); }));
        QTest::qWait(300);
    }

private slots:
    void initTestCase()
    {
        if (const QString why = WhyNoDesktop({"trayer", "xdotool", "xprop", "import"}); !why.isEmpty())
            QSKIP(qPrintable(why));
        desktop_ = WindowManagerRuns() ? QStringLiteral("openbox") : QStringLiteral("nowm");
        skin_.SetSkinStream(StoredSkinPackage());
        QVERIFY(StartTrayHost(trayHost_));
        QVERIFY(client_.Start(ClientProgram(), {QStringLiteral("--service-host"), QStringLiteral("http://127.0.0.1:9")},
                              folders_.Environment()));
        QVERIFY2(WaitFor([] { return WindowShown(kMain); }, 60000), "no main window");
        QVERIFY2(WaitFor([this] { return !(icon_ = ClientTrayIconCentre()).isNull(); }),
                 "the icon never reached the tray");
        // Let the start-up picture go.
        QTest::qWait(4500);
    }

    void mainWindowWearsTheSkin()
    {
        const QRect main = Main();
        // The stored 746 × 538 is the client's; the skin's frame goes around it.
        QCOMPARE(main.size(), QSize(746 + 8, 538 + 27));
        const QImage screen = Screen();
        Save(screen, QStringLiteral("main"));
        QVERIFY(WearsTheSkin(screen, main));
        CheckNoManagerFrame(ShownWindow(kMain));
    }

    void draggingTheCaptionMovesTheWindow()
    {
        const QRect before = Main();
        const QPoint grip = before.topLeft() + QPoint(300, 10);
        const QPoint distance(60, 40);
        Xdotool({"mousemove", QString::number(grip.x()), QString::number(grip.y()), "mousedown", "1"});
        // A hand's drag: small steps. A window manager that takes the pointer over misses the
        // first one or two of them, a few pixels.
        for (int step = 1; step <= 20; ++step) {
            const QPoint at = grip + distance * step / 20;
            Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
            QTest::qWait(30);
        }
        Xdotool({"mouseup", "1"});
        QTest::qWait(300);
        const QPoint moved = Main().topLeft() - before.topLeft();
        QVERIFY2((moved - distance).manhattanLength() <= 15,
                 qPrintable(QStringLiteral("moved by %1,%2").arg(moved.x()).arg(moved.y())));
        QCOMPARE(Main().size(), before.size());
    }

    void maximiseButtonMaximisesAndRestores()
    {
        const QRect before = Main();
        Click(CaptionButton(before, 1));
        QVERIFY(WaitFor([this] { return Main().width() == 1280; }, 5000));
        const QRect maximised = Main();
        QCOMPARE(maximised.topLeft(), QPoint(0, 0));
        QVERIFY(maximised.height() >= 1024 - 32);
        // The pane paints its new size a moment later.
        QTest::qWait(1500);
        Save(Screen(), QStringLiteral("maximised"));
        Click(CaptionButton(maximised, 1));
        QVERIFY(WaitFor([&] { return Main() == before; }, 5000));
    }

    void minimiseButtonGoesToTheTray()
    {
        Click(CaptionButton(Main(), 2));
        QVERIFY(WaitFor([] { return !WindowShown(kMain); }, 5000));
        QVERIFY(client_.Running());
        BringMainBack();
    }

    void closeButtonGoesToTheTray()
    {
        Click(CaptionButton(Main(), 0));
        QVERIFY(WaitFor([] { return !WindowShown(kMain); }, 5000));
        QVERIFY(client_.Running());
        BringMainBack();
    }

    void loginWindowAndMessageBoxAreSkinned()
    {
        const QRect main = Main();
        // The sidebar's "Login" row, inside the frame's left border and caption.
        Click(main.topLeft() + QPoint(4 + 60, 23 + 20));
        QVERIFY(WaitFor([] { return WindowShown(kLogin); }));
        QTest::qWait(500);
        const QString loginId = ShownWindow(kLogin);
        const QRect login = WindowGeometry(loginId);
        QCOMPARE(login.size(), QSize(426 + 8, 195 + 27));
        QImage screen = Screen();
        Save(screen, QStringLiteral("login"));
        QVERIFY(WearsTheSkin(screen, login));
        CheckNoManagerFrame(loginId);

        // Its Login button with no e-mail given: an error box.
        Click(login.topLeft() + QPoint(4 + 312 + 48, 23 + 24 + 32));
        QVERIFY(WaitFor([] { return WindowShown(kErrorBox); }));
        QTest::qWait(500);
        const QString boxId = ShownWindow(kErrorBox);
        const QRect box = WindowGeometry(boxId);
        screen = Screen();
        Save(screen, QStringLiteral("messagebox"));
        QVERIFY(WearsTheSkin(screen, box));
        CheckNoManagerFrame(boxId);
        Xdotool({"windowfocus", "--sync", boxId});
        Xdotool({"key", "Return"});
        QVERIFY(WaitFor([] { return !WindowShown(kErrorBox); }));
        Click(CaptionButton(login, 0));
        QVERIFY(WaitFor([] { return !WindowShown(kLogin); }));
    }

    void trayMenuIsSkinned()
    {
        LetTheFocusGo(); // the login window has just gone
        const QStringList before = VisibleClientWindows();
        Click(icon_, 3);
        const QString menu = NewClientWindow(before);
        QVERIFY2(!menu.isEmpty(), "the tray menu did not open");
        QTest::qWait(300);
        const QRect box = WindowGeometry(menu);
        const QImage screen = Screen();
        Save(screen, QStringLiteral("traymenu"));
        // Its items are drawn on the skin's Menu colour (the middle one: the pointer that opened
        // the menu rests on the first or the last).
        const QRgb menuColour = ToQColor(skin_.Elements().Colours.Menu).rgb() & RGB_MASK;
        QCOMPARE(screen.pixel(box.right() - 6, box.center().y()) & RGB_MASK, menuColour);
        Xdotool({"key", "Escape"});
        QVERIFY(WaitFor([&] { return !VisibleClientWindows().contains(menu); }, 5000));
    }

    // The gallery, as a skin author starts it: every kind of control drawn by our skin.
    void galleryShowsEveryControlSkinned()
    {
        ChildProcess gallery;
        QVERIFY(gallery.Start(ClientProgram(), {QStringLiteral("--skin-gallery")}, folders_.Environment()));
        const QString caption = QStringLiteral("Skin gallery");
        QVERIFY2(WaitFor([&] { return WindowShown(caption); }, 30000), "no gallery window");
        QTest::qWait(500);
        const QImage screen = Screen();
        Save(screen, QStringLiteral("gallery"));
        QVERIFY(WearsTheSkin(screen, WindowGeometry(ShownWindow(caption))));
        gallery.Stop();
    }
};

VELLOMAR_TEST_MAIN(SkinnedDesktopTest)
#include "test_skinned_desktop.moc"
