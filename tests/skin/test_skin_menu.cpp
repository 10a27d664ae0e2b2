// Skinned menus: popup frames from MenuBackground, menu items drawn by the skin, the menu bar in
// the frame with its keyboard and mouse switching, and the system menu.
#include "SkinFixture.h"
#include "framework/MainMenu.h"
#include "framework/PopupMenu.h"
#include "skin/SkinEvents.h"
#include "skin/SkinPrimitives.h"
#include "skin/StoredSkin.h"
#include "skin/SystemMenu.h"
#include "skin/WinSkinMenu.h"
#include "skin/WinSkinPopMenu.h"

#include <QMenuBar>
#include <QSignalSpy>

namespace {

QRgb At(const QImage& image, QPoint p)
{
    return image.pixel(p) & RGB_MASK;
}

// Rings of three colours around a grey centre: the frame of a menu shows which ring is where.
const QRgb kRings[3] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
QImage RingImage()
{
    QImage image(9, 9, QImage::Format_RGB32);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const int ring = std::min({x, y, 8 - x, 8 - y});
            image.setPixel(x, y, ring < 3 ? kRings[ring] : qRgb(128, 128, 128));
        }
    return image;
}

QByteArray SkinWithMenuBackground(bool present)
{
    TestSkin skin;
    if (present) {
        skin.pictures["menuback.bmp"] = RingImage();
        skin.sections +=
            "[MenuBackground]\nImage=menuback.bmp\nLeftWidth=3\nTopHeight=3\nRightWidth=3\nBottomHeight=3\n";
    }
    return skin.Package();
}

// A form with a menu bar: "&File" and "&Edit" drop down, "&Help" is a command.
class MenuForm : public TestForm {
public:
    MenuForm()
    {
        BeginLayout();
        menu = AddComponent(new TMainMenu(this));
        file = menu->addMenu(QStringLiteral("&File"));
        file->addAction(QStringLiteral("&Open"));
        file->addAction(QStringLiteral("&Save"));
        edit = menu->addMenu(QStringLiteral("&Edit"));
        edit->addAction(QStringLiteral("&Copy"));
        help = menu->addAction(QStringLiteral("&Help"));
        SetMenu(menu);
        EndLayout();
    }
    TMainMenu* menu;
    QMenu* file;
    QMenu* edit;
    QAction* help;
};

} // namespace

class SkinMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSkinData> data;

    // A skinned form with a menu bar, on screen and painted once (which lays its items out).
    bool ShowMenuForm(MenuForm& form)
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        if (!ShowAndWait(&form))
            return false;
        form.grab();
        return true;
    }

private slots:
    void cleanup()
    {
        ResetSkinManager();
        data.reset();
    }

    void popupFrameFromMenuBackground()
    {
        data.reset(LoadedSkinData(SkinWithMenuBackground(true)));
        QMenu menu;
        menu.addAction(QStringLiteral("One"));
        menu.addAction(QStringLiteral("Two"));
        menu.popup(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        TWinSkinPopMenu* popup = TSkinManage::Instance()->FindPopupSkinner(&menu);
        QVERIFY(popup && popup->DrawsFrame());
        QVERIFY(AnswersSkinnedQuery(&menu));
        const QImage shot = menu.grab().toImage();
        const int w = menu.width(), h = menu.height();
        for (int ring = 0; ring < 3; ++ring) {
            QCOMPARE(At(shot, {ring, h / 2}), kRings[ring] & RGB_MASK);
            QCOMPARE(At(shot, {w - 1 - ring, h / 2}), kRings[ring] & RGB_MASK);
            QCOMPARE(At(shot, {w / 2, ring}), kRings[ring] & RGB_MASK);
            QCOMPARE(At(shot, {w / 2, h - 1 - ring}), kRings[ring] & RGB_MASK);
        }
        // The items lie inside the three-pixel band.
        QVERIFY(menu.actionGeometry(menu.actions().first()).left() >= TWinSkinPopMenu::kFrameWidth);
        menu.hide();
    }

    void withoutMenuBackgroundTheMenuDrawsItself()
    {
        QMenu menu;
        menu.addAction(QStringLiteral("One"));
        menu.addAction(QStringLiteral("Two"));
        menu.popup(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        const QImage plain = menu.grab().toImage();
        menu.hide();

        data.reset(LoadedSkinData(SkinWithMenuBackground(false)));
        menu.popup(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        TWinSkinPopMenu* popup = TSkinManage::Instance()->FindPopupSkinner(&menu);
        QVERIFY(popup && !popup->DrawsFrame());
        QCOMPARE(menu.grab().toImage(), plain);
        menu.hide();
    }

    void formPopupMenusAreDrawnByTheSkin_data()
    {
        QTest::addColumn<bool>("menuItemElement");
        QTest::addRow("skin colours") << false;
        QTest::addRow("MenuItem element") << true;
    }
    void formPopupMenusAreDrawnByTheSkin()
    {
        QFETCH(bool, menuItemElement);
        const QRgb frames[5] = {qRgb(11, 0, 0), qRgb(22, 0, 0), qRgb(33, 0, 0), qRgb(44, 0, 0), qRgb(55, 0, 0)};
        TestSkin skin;
        skin.sections.replace("ButtonFace=230 230 230\n",
                              "ButtonFace=230 230 230\nHilight=10 200 10\nMenu=240 240 200\nButtonShadow=90 90 140\n");
        if (menuItemElement) {
            skin.pictures["item.bmp"] = FrameStrip({10, 20}, {frames[0], frames[1], frames[2], frames[3], frames[4]});
            skin.sections += "[MenuItem]\nImage=item.bmp\n";
        }
        data.reset(LoadedSkinData(skin.Package()));
        TestForm form;
        form.BeginLayout();
        auto* popup = form.AddComponent(new TPopupMenu(&form));
        popup->AddItem(QStringLiteral("Login1"), QStringLiteral("Login"), -1, {});
        popup->addSeparator();
        popup->AddItem(QStringLiteral("Close1"), QStringLiteral("Close"), -1, {});
        auto* ignored = form.AddComponent(new TPopupMenu(&form));
        ignored->SetTag(199);
        form.EndLayout();
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(popup->property(kSkinItemsProperty).toInt(), 2);
        QCOMPARE(ignored->property(kSkinItemsProperty).toInt(), 0);

        popup->popup(QPoint(50, 50));
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QAction* login = popup->actions()[0];
        QAction* line = popup->actions()[1];
        QAction* close = popup->actions()[2];
        popup->setActiveAction(login);
        const QImage shot = popup->grab().toImage();
        const QRect selected = popup->actionGeometry(login), normal = popup->actionGeometry(close);
        const QPoint inSelected(selected.right() - 3, selected.top() + 2),
            inNormal(normal.right() - 3, normal.top() + 2);
        if (menuItemElement) {
            QCOMPARE(At(shot, inSelected), frames[3] & RGB_MASK);
            QCOMPARE(At(shot, inNormal), frames[0] & RGB_MASK);
            // A separator shows the second frame at its bottom.
            const QRect separator = popup->actionGeometry(line);
            QCOMPARE(At(shot, {separator.center().x(), separator.bottom()}), frames[1] & RGB_MASK);
        } else {
            QCOMPARE(At(shot, inSelected), qRgb(10, 200, 10) & RGB_MASK);
            QCOMPARE(At(shot, inNormal), qRgb(240, 240, 200) & RGB_MASK);
        }
        // A one-pixel edge in the shadow colour around the items, which never cover it.
        QCOMPARE(At(shot, {0, normal.center().y()}), qRgb(90, 90, 140) & RGB_MASK);
        QCOMPARE(At(shot, {shot.width() - 1, selected.center().y()}), qRgb(90, 90, 140) & RGB_MASK);
        popup->hide();
        // Detached, the menu is the toolkit's again.
        SkinnerOf(&form)->Detach();
        QVERIFY(!popup->property(kSkinItemsProperty).isValid());
    }

    void menuBarMovesIntoTheFrame()
    {
        MenuForm form;
        QVERIFY(ShowMenuForm(form));
        TWinSkinForm* skinner = SkinnerOf(&form);
        TWinSkinMenu* bar = skinner->MenuBar();
        QVERIFY(bar);
        QVERIFY(form.menu->isHidden());
        QCOMPARE(skinner->MenuHeight(), form.menu->sizeHint().height());
        QCOMPARE(form.ClientArea()->geometry().top(), 23 + skinner->MenuHeight());
        QCOMPARE(int(bar->Items().size()), 3);
        // Without a menu bar image the items start 6 pixels in, each as wide as its text plus 10.
        const QRect first = bar->Items()[0]->Rect;
        QCOMPARE(first.left(), skinner->Borders().left() + 6);
        QCOMPARE(first.top(), 23);
        QCOMPARE(first.width(), QFontMetrics(form.menu->font()).horizontalAdvance(QStringLiteral("File")) + 10);
        QCOMPARE(bar->Items()[1]->Rect.left(), first.right() + 1);
        // The menu bar changes: the skinned bar reads it again.
        form.menu->addAction(QStringLiteral("&Window"));
        QTRY_COMPARE(int(bar->Items().size()), 4);
        // Detached, the window has its menu bar back.
        skinner->Detach();
        QVERIFY(!form.menu->isHidden());
    }

    void altLetterOpensTheDropDownBelowItsItem()
    {
        MenuForm form;
        QVERIFY(ShowMenuForm(form));
        QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(form.edit->isVisible());
        const QRect item = SkinnerOf(&form)->MenuBar()->Items()[1]->Rect;
        QCOMPARE(form.edit->pos(), form.mapToGlobal(item.bottomLeft() + QPoint(0, 1)));
        QCOMPARE(form.edit->activeAction(), form.edit->actions().first());
        QCOMPARE(form.edit->property(kSkinItemsProperty).toInt(), 1);
        QVERIFY(TSkinManage::Instance()->MenuTracking());
        form.edit->hide();
        QTRY_VERIFY(!TSkinManage::Instance()->MenuTracking());
    }

    void arrowKeysSwitchBetweenDropDowns()
    {
        MenuForm form;
        QVERIFY(ShowMenuForm(form));
        QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(form.file->isVisible());
        QTest::keyClick(form.file, Qt::Key_Right);
        QTRY_VERIFY(form.edit->isVisible());
        QVERIFY(!form.file->isVisible());
        // "Help" has no drop-down: Right from Edit wraps around to File.
        QTest::keyClick(form.edit, Qt::Key_Right);
        QTRY_VERIFY(form.file->isVisible());
        QTest::keyClick(form.file, Qt::Key_Left);
        QTRY_VERIFY(form.edit->isVisible());
        QTest::keyClick(form.edit, Qt::Key_Escape);
        QTRY_VERIFY(!form.edit->isVisible());
    }

    void mouseOverAnotherItemSwitches()
    {
        MenuForm form;
        QVERIFY(ShowMenuForm(form));
        QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(form.file->isVisible());
        const QPoint edit = form.mapToGlobal(SkinnerOf(&form)->MenuBar()->Items()[1]->Rect.center());
        QTest::mouseMove(form.file, form.file->mapFromGlobal(edit));
        QTRY_VERIFY(form.edit->isVisible());
        QVERIFY(!form.file->isVisible());
        form.edit->hide();
    }

    void aCommandItemRunsOnPress()
    {
        MenuForm form;
        QSignalSpy triggered(form.help, &QAction::triggered);
        QVERIFY(ShowMenuForm(form));
        QTest::mousePress(&form, Qt::LeftButton, {}, SkinnerOf(&form)->MenuBar()->Items()[2]->Rect.center());
        QCOMPARE(triggered.count(), 1);
    }

    void windowIconButtonOpensTheSystemMenu()
    {
        data.reset(LoadedSkinData(StoredSkinPackage()));
        TestForm form;
        QPixmap icon(16, 16);
        icon.fill(Qt::red);
        form.setWindowIcon(QIcon(icon));
        QVERIFY(ShowAndWait(&form));
        TWinSkinForm* skinner = SkinnerOf(&form);
        const QPoint click(10, 8);
        QCOMPARE(skinner->ObjectAt(click), skinner->CaptionButtons()[3].get());
        QTest::mouseClick(&form, Qt::LeftButton, {}, click);
        TPopupMenu* menu = skinner->SystemMenu()->Menu();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), form.mapToGlobal(click) + QPoint(1, 1));
        menu->hide();
    }

    void systemMenu_data()
    {
        QTest::addColumn<bool>("skinnedSystemMenu");
        QTest::addColumn<bool>("maximizeBox");
        QTest::addRow("skinned") << true << true;
        QTest::addRow("the window's own") << false << true;
        QTest::addRow("no maximise box") << true << false;
    }
    void systemMenu()
    {
        QFETCH(bool, skinnedSystemMenu);
        QFETCH(bool, maximizeBox);
        data.reset(LoadedSkinData(TestSkin().Package()));
        data->SkinControls.set(xcSystemMenu, skinnedSystemMenu);
        TestForm form;
        if (!maximizeBox)
            form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        QVERIFY(ShowAndWait(&form));
        QTest::mousePress(&form, Qt::RightButton, {}, QPoint(150, 10));
        TSystemMenu* system = SkinnerOf(&form)->SystemMenu();
        QTRY_VERIFY(system->Menu()->isVisible());
        QCOMPARE(system->Menu()->Tag(), 33333);
        QCOMPARE(system->Menu()->property(kSkinItemsProperty).toInt(), skinnedSystemMenu ? 2 : 0);
        QStringList items;
        for (QAction* item : system->Menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text()) + u'/'
                    + item->property("Tag").toString() + (item->isEnabled() ? QString() : QStringLiteral("/off"));
        QStringList expected{QStringLiteral(" Restore /0/off")};
        if (maximizeBox)
            expected << QStringLiteral(" Maximize /1");
        expected << QStringLiteral(" Minimize /2") << QStringLiteral("-/100") << QStringLiteral(" Close \tShift+F4/3");
        QCOMPARE(items, expected);
        QVERIFY(!system->Item(TSystemMenu::tgClose)->icon().isNull());
        system->Item(TSystemMenu::tgClose)->trigger();
        QTRY_VERIFY(!form.isVisible());
    }
};

VELLOMAR_TEST_MAIN(SkinMenuTest)
#include "test_skin_menu.moc"
