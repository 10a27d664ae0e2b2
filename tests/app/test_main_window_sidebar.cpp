// The main window's sidebar at the design size: its look, and the commands its items run.
#include "TestSupport.h"
#include "app/ClientWindows.h"
#include "app/LoginForm.h"
#include "app/MainForm.h"
#include "app/ServiceHost.h"
#include "sidebar/CommandBarAccessible.h"

#include <QAccessible>

#include <QCursor>
#include <QLineEdit>
#include <QStatusBar>

namespace {

// Client height that leaves the bar its design height of 492 above the status bar.
constexpr int kDesignClientHeight = 492 + TForm1::kStatusBarHeight;

// Opaque pixels of `icon` that differ from `shot` when the icon's corner is put at `at`.
int IconMismatches(const QImage& shot, const QImage& icon, QPoint at)
{
    int wrong = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb pixel = icon.pixel(x, y);
            if (qAlpha(pixel) == 255 && shot.pixel(at.x() + x, at.y() + y) != pixel)
                ++wrong;
        }
    return wrong;
}

// The first object below `node` with `role` and `name`, looked for as a screen reader walks.
QAccessibleInterface* FindAccessible(QAccessibleInterface* node, QAccessible::Role role, const QString& name)
{
    for (int i = 0; node && i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child && child->role() == role && child->text(QAccessible::Name) == name)
            return child;
        if (QAccessibleInterface* below = FindAccessible(child, role, name))
            return below;
    }
    return nullptr;
}

} // namespace

class MainWindowSidebarTest : public QObject {
    Q_OBJECT

    TForm1* Form1 = nullptr;
    TForm3* Form3 = nullptr;

    TCommandBar* bar() const { return Form1->CommandBar4; }
    TCommandPanel* panel() const { return bar()->Panels[0]; }
    QImage Shot(QPoint pointer)
    {
        QCursor::setPos(bar()->mapToGlobal(pointer));
        return bar()->grab().toImage();
    }

private slots:
    void initTestCase()
    {
        InstallCommandBarAccessibility();
        const ClientWindows windows(*Application);
        Form1 = windows.Form1;
        Form3 = windows.Form3;
        Form1->resize(TForm1::kOuterWidth, kDesignClientHeight);
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }

    void init()
    {
        Form3->hide();
        // The pointer rests over the browser pane.
        QCursor::setPos(bar()->mapToGlobal(QPoint(400, 300)));
    }

    void barIsDockedLeftAboveTheStatusBar()
    {
        QCOMPARE(bar()->geometry(), QRect(0, 0, 121, 492));
        QCOMPARE(bar()->geometry().bottom() + 1, Form1->StatusBar1->geometry().top());
        QCOMPARE(Form1->www->geometry().left(), 121);
        QCOMPARE(bar()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(bar()->Panels.Count(), 1);
        QStringList captions;
        for (int i = 0; i < panel()->Items.Count(); ++i)
            captions << panel()->Items[i]->Caption();
        QCOMPARE(captions, (QStringList{"Login", "Script Creator", "HTML page creator", "Help"}));
    }

    void rowsAndIconsAtTheDesignSize()
    {
        const QImage shot = Shot(QPoint(400, 300));
        QCOMPARE(bar()->ItemRect(panel(), panel()->Items[3]).Bottom, 216);
        QVERIFY(!bar()->DownButtonShown());
        QVERIFY(!bar()->UpButtonShown());
        for (int i = 0; i < 4; ++i) {
            const QImage icon = panel()->Items[i]->Icon().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(icon.size(), QSize(32, 32));
            const int top = 54 * i;
            QCOMPARE(IconMismatches(shot, icon, QPoint(44, top + 2)), 0);
            QVERIFY(IconMismatches(shot, icon, QPoint(45, top + 2)) > 0);
            QVERIFY(IconMismatches(shot, icon, QPoint(44, top + 3)) > 0);
        }
    }

    void gradientBands_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("blue");
        // 60 bands of 492 / 60 pixels from blue 232 to 255; band i is blue 232 + nearest(23 i / 60).
        QTest::newRow("top, band 0") << 0 << 232;
        QTest::newRow("band 3") << 30 << 233;
        QTest::newRow("band 30") << 250 << 244;
        QTest::newRow("bottom, band 59") << 491 << 255;
    }
    void gradientBands()
    {
        QFETCH(int, y);
        QFETCH(int, blue);
        const QImage shot = Shot(QPoint(400, 300));
        QCOMPARE(shot.pixelColor(2, y), QColor(255, 255, blue));
        QCOMPARE(shot.pixelColor(118, y), QColor(255, 255, blue));
    }

    void hoverBoxAndPressOffsetOnHelp()
    {
        const QPoint overHelp(60, 190);
        const QImage hovered = Shot(overHelp);
        QCOMPARE(hovered.pixelColor(0, 162), QColor(Qt::black));
        QCOMPARE(hovered.pixelColor(120, 216), QColor(Qt::black));
        QCOMPARE(hovered.pixelColor(2, 170), QColor(Qt::white));
        QCOMPARE(hovered.pixelColor(118, 214), QColor(Qt::white));
        QCOMPARE(hovered.pixelColor(2, 217), Shot(QPoint(400, 300)).pixelColor(2, 217));
        QVERIFY(hovered.pixelColor(2, 120) != QColor(Qt::white));
        const QImage icon = panel()->Items[3]->Icon().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(IconMismatches(hovered, icon, QPoint(44, 164)), 0);

        QCursor::setPos(bar()->mapToGlobal(overHelp));
        QTest::mousePress(bar(), Qt::LeftButton, {}, overHelp);
        // The command ran on the press.
        QVERIFY(Form1->www->LocationURL().toLocalFile().endsWith(QStringLiteral("/help.htm")));
        const QImage pressed = Shot(overHelp);
        QCOMPARE(IconMismatches(pressed, icon, QPoint(46, 166)), 0);
        QCOMPARE(pressed.pixelColor(0, 162), QColor(Qt::black));
        QTest::mouseRelease(bar(), Qt::LeftButton, {}, overHelp);
        QCOMPARE(IconMismatches(Shot(overHelp), icon, QPoint(44, 164)), 0);
    }

    void itemsRunTheirCommands()
    {
        Form1->www->Navigate(ExecutableFolder() + QStringLiteral("splash.htm"));
        QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(60, 27));
        QVERIFY(Form3->isVisible());
        QVERIFY(Form1->www->LocationURL().toLocalFile().endsWith(QStringLiteral("/splash.htm")));

        Form3->hide();
        QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(60, 190));
        QVERIFY(Form1->www->LocationURL().toLocalFile().endsWith(QStringLiteral("/help.htm")));
        QVERIFY(!Form3->isVisible());
    }

    // The two creators through the bar: the script creator opens the service's page for the
    // login fields; the page creator asks the service for the room, here unreachable.
    void creatorItemsRunTheirCommands()
    {
        RecordingDialogs dialogs;
        SetServiceHost(QStringLiteral("http://127.0.0.1:1"));
        Form3->email->setText(QStringLiteral("ann@vellomar.test"));
        Form3->password->setText(QStringLiteral("pw"));
        Form1->www->Navigate(ExecutableFolder() + QStringLiteral("splash.htm"));

        QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(60, 54 + 27));
        QCOMPARE(Form1->www->LocationURL().toEncoded(),
                 QByteArray("http://127.0.0.1:1/insertscript.php?email=ann%40vellomar.test&pass=pw"));
        QVERIFY(dialogs.boxes.isEmpty());

        QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(60, 2 * 54 + 27));
        QCOMPARE(dialogs.boxes.size(), 1);
        QVERIFY2(dialogs.boxes[0].text.startsWith(QStringLiteral("The chat service could not be reached")),
                 qPrintable(dialogs.boxes[0].text));
        QVERIFY(!Form3->isVisible());

        // Without the fields both send the user to the login window first.
        for (const int row : {1, 2}) {
            Form3->hide();
            Form3->email->clear();
            dialogs.boxes.clear();
            QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(60, row * 54 + 27));
            QCOMPARE(dialogs.boxes.size(), 1);
            QCOMPARE(dialogs.boxes[0].text, QStringLiteral("Please, enter your email and password first !"));
            QVERIFY(Form3->isVisible());
        }
    }

    void screenReadersFindAndPressTheCommands()
    {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Form1);
        QAccessibleInterface* help = FindAccessible(window, QAccessible::Button, QStringLiteral("Help"));
        QVERIFY(help);
        QAccessibleInterface* panel = help->parent();
        QCOMPARE(panel->parent()->object(), bar());
        QStringList names;
        for (int i = 0; i < panel->childCount(); ++i)
            names << panel->child(i)->text(QAccessible::Name);
        QCOMPARE(names, (QStringList{"Login", "Script Creator", "HTML page creator", "Help"}));
        QCOMPARE(help->rect(), QRect(bar()->mapToGlobal(QPoint(0, 162)), QSize(121, 54)));

        Form1->www->Navigate(ExecutableFolder() + QStringLiteral("splash.htm"));
        help->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(Form1->www->LocationURL().toLocalFile().endsWith(QStringLiteral("/help.htm")));
        panel->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(Form3->isVisible());
    }

    void theKeyboardRunsTheCommands()
    {
        Form1->www->Navigate(ExecutableFolder() + QStringLiteral("splash.htm"));
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        bar()->clearFocus();
        bar()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(bar(), Qt::Key_End);
        QTest::keyClick(bar(), Qt::Key_Return);
        QVERIFY(Form1->www->LocationURL().toLocalFile().endsWith(QStringLiteral("/help.htm")));
        QTest::keyClick(bar(), Qt::Key_Home);
        QTest::keyClick(bar(), Qt::Key_Space);
        QVERIFY(Form3->isVisible());
    }

    void anItemAddedLaterRunsNothing()
    {
        Form1->www->Navigate(ExecutableFolder() + QStringLiteral("splash.htm"));
        TCommandItem* extra = panel()->Items.Add();
        extra->SetCaption(QStringLiteral("Extra"));
        QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(60, 216 + 27));
        QVERIFY(!Form3->isVisible());
        QVERIFY(Form1->www->LocationURL().toLocalFile().endsWith(QStringLiteral("/splash.htm")));
        panel()->Items.Delete(extra->Index());
    }
};

VELLOMAR_TEST_MAIN(MainWindowSidebarTest)
#include "test_main_window_sidebar.moc"
