// Which item a press or the pointer finds, what a press raises, and the keys the bar takes.
#include "BarFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

struct Click {
    int panel;
    int item;
};

// Records the bar's item events.
struct ItemEvents {
    explicit ItemEvents(TCommandBar& bar)
    {
        bar.OnItemClick = [this, &bar](QObject* sender, TCommandPanel* panel, TCommandItem* item) {
            QCOMPARE(sender, &bar);
            clicks.append({panel->Index(), item->Index()});
        };
        bar.OnItemDblClick = [this](QObject*, TCommandPanel*, TCommandItem* item) { doubleClicks.append(item->Index()); };
        bar.OnItemRightClick = [this](QObject*, TCommandPanel*, TCommandItem* item) { rightClicks.append(item->Index()); };
    }
    QList<Click> clicks;
    QList<int> doubleClicks;
    QList<int> rightClicks;
};

} // namespace

class CommandBarInputTest : public QObject {
    Q_OBJECT

private slots:
    void pressFindsTheItem_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("expected");
        QTest::newRow("top edge is above the items") << 0 << -1;
        QTest::newRow("first row") << 1 << 0;
        QTest::newRow("shared edge goes to the upper item") << 54 << 0;
        QTest::newRow("just below the edge") << 55 << 1;
        QTest::newRow("last row") << 200 << 3;
        QTest::newRow("bottom edge of the last row") << 216 << 3;
        QTest::newRow("below the last row") << 217 << -1;
        QTest::newRow("far below") << 400 << -1;
    }
    void pressFindsTheItem()
    {
        QFETCH(int, y);
        QFETCH(int, expected);
        auto bar = MakeBar(492);
        TCommandItem* hit = bar->ItemAtPress(QPoint(60, y));
        QCOMPARE(hit ? hit->Index() : -1, expected);

        ItemEvents events(*bar);
        PaintLog log(bar.get());
        QTest::mousePress(bar.get(), Qt::LeftButton, {}, QPoint(60, y));
        QCOMPARE(events.clicks.size(), expected < 0 ? 0 : 1);
        if (expected >= 0) {
            QCOMPARE(events.clicks[0].panel, 0);
            QCOMPARE(events.clicks[0].item, expected);
        }
        // Hit or not, the press repaints the whole bar.
        QTRY_VERIFY(log.painted.contains(bar->rect()));
        QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, QPoint(60, y));
    }

    void pointerFindsTheItem_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("expected");
        QTest::newRow("top edge") << QPoint(60, 0) << -1;
        QTest::newRow("first row") << QPoint(60, 20) << 0;
        // Unlike a press, the pointer on a shared edge is over the lower item.
        QTest::newRow("shared edge") << QPoint(60, 54) << 1;
        QTest::newRow("left edge") << QPoint(0, 20) << -1;
        QTest::newRow("right edge") << QPoint(121, 20) << -1;
        QTest::newRow("just inside the right edge") << QPoint(120, 20) << 0;
        QTest::newRow("below the last row") << QPoint(60, 216) << -1;
    }
    void pointerFindsTheItem()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, expected);
        auto bar = MakeBar(492);
        TCommandItem* item = bar->ItemAtPointer(pos);
        QCOMPARE(item ? item->Index() : -1, expected);
    }

    void eachItemRaisesItsOwnIndexOncePerPress()
    {
        auto bar = MakeBar(492);
        ItemEvents events(*bar);
        for (int round = 0; round < 2; ++round)
            for (int i = 0; i < 4; ++i) {
                const QPoint pos(60, 54 * i + 27);
                QTest::mousePress(bar.get(), Qt::LeftButton, {}, pos);
                // The command runs on the press, before the button comes up.
                QCOMPARE(events.clicks.size(), round * 4 + i + 1);
                QCOMPARE(events.clicks.last().item, i);
                QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, pos);
            }
        QCOMPARE(events.clicks.size(), 8);
    }

    void doubleClickRunsTheCommandOnce()
    {
        auto bar = MakeBar(492);
        ItemEvents events(*bar);
        const QPoint pos(60, 54 * 3 + 20);
        // Through the window, as the platform delivers a double click.
        QTest::mouseDClick(bar->windowHandle(), Qt::LeftButton, {}, pos);
        QCOMPARE(events.clicks.size(), 1);
        QCOMPARE(events.clicks[0].item, 3);
        QCOMPARE(events.doubleClicks, QList<int>{3});
        QVERIFY(!bar->LeftButtonDown());
    }

    void otherButtonsDoNotRunTheCommand_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QList<int>>("rightClicks");
        QTest::newRow("right") << Qt::RightButton << QList<int>{2};
        QTest::newRow("middle") << Qt::MiddleButton << QList<int>{};
    }
    void otherButtonsDoNotRunTheCommand()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QList<int>, rightClicks);
        auto bar = MakeBar(492);
        ItemEvents events(*bar);
        QTest::mousePress(bar.get(), button, {}, QPoint(60, 130));
        QVERIFY(events.clicks.isEmpty());
        QVERIFY(!bar->LeftButtonDown());
        QCOMPARE(events.rightClicks, rightClicks);
        QTest::mouseRelease(bar.get(), button, {}, QPoint(60, 130));
    }

    void invisibleItemTakesNoRow_data()
    {
        QTest::addColumn<int>("hidden");
        QTest::addColumn<QList<int>>("rowTops"); // of items 0..3, -1 for no row
        QTest::newRow("none hidden") << -1 << QList<int>{0, 54, 108, 162};
        QTest::newRow("first hidden") << 0 << QList<int>{-1, 0, 54, 108};
        QTest::newRow("second hidden") << 1 << QList<int>{0, -1, 54, 108};
        QTest::newRow("last hidden") << 3 << QList<int>{0, 54, 108, -1};
    }
    void invisibleItemTakesNoRow()
    {
        QFETCH(int, hidden);
        QFETCH(QList<int>, rowTops);
        auto bar = MakeBar(492);
        TCommandPanel* panel = Panel0(*bar);
        if (hidden >= 0)
            panel->Items[hidden]->SetVisible(false);
        ItemEvents events(*bar);
        for (int i = 0; i < 4; ++i) {
            const TRect row = bar->ItemRect(panel, panel->Items[i]);
            QCOMPARE(row.IsEmpty() ? -1 : row.Top, rowTops[i]);
            if (rowTops[i] < 0)
                continue;
            // The items below move up and keep their indexes.
            QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, rowTops[i] + 27));
            QCOMPARE(events.clicks.last().item, i);
        }
        QCOMPARE(events.clicks.size(), hidden < 0 ? 4 : 3);
    }

    void pointerRepaintsFollowTheHover()
    {
        auto bar = MakeBar(492);
        PointAt(bar.get(), QPoint(60, 80));
        QCOMPARE(bar->ItemAtPointer(QPoint(60, 80)), Panel0(*bar)->Items[1]);
        PaintLog log(bar.get());
        // Over an item: the whole bar, on every move.
        QTest::mouseMove(bar.get(), QPoint(61, 81));
        QTRY_VERIFY(log.painted.contains(bar->rect()));
        QTest::qWait(50);
        // Off the items: only the row last hovered, 4 pixels larger, once.
        log.painted = {};
        QTest::mouseMove(bar.get(), QPoint(60, 300));
        QTRY_VERIFY(!log.painted.isEmpty());
        QCOMPARE(log.painted.boundingRect(), QRect(0, 50, 121, 62));
        QVERIFY(!bar->HoveredItem());
        log.painted = {};
        QTest::mouseMove(bar.get(), QPoint(60, 310));
        QTest::qWait(50);
        QVERIFY(log.painted.isEmpty());
        QCOMPARE(bar->cursor().shape(), Qt::PointingHandCursor);
    }

    void handlerMayRemoveTheItem()
    {
        auto bar = MakeBar(492);
        TCommandPanel* panel = Panel0(*bar);
        bar->OnItemClick = [](QObject*, TCommandPanel* p, TCommandItem* item) { p->Items.Delete(item->Index()); };
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 20));
        QCOMPARE(panel->Items.Count(), 3);
        QCOMPARE(panel->Items[0]->Caption(), QStringLiteral("Item 1"));
        QVERIFY(!bar->grab().isNull());
    }

    void captionStripsSwitchPanels()
    {
        auto bar = MakeBar(300, 2);
        bar->PanelCaption.SetHeight(20);
        TCommandPanel* second = bar->Panels.Add();
        second->SetCaption(QStringLiteral("Second"));
        second->Items.Add()->SetCaption(QStringLiteral("Other"));
        TCommandPanel* hidden = bar->Panels.Add();
        hidden->SetVisible(false);
        // The active first panel's caption on top, the second's at the bottom.
        QCOMPARE(bar->ActivePanel(), Panel0(*bar));
        QCOMPARE(bar->ItemsTop(), 20);
        QCOMPARE(bar->ItemsBottom(), 280);
        ItemEvents events(*bar);
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 290));
        QCOMPARE(bar->ActivePanel(), second);
        QCOMPARE(bar->ItemsTop(), 40);
        QCOMPARE(bar->ItemsBottom(), 300);
        QVERIFY(events.clicks.isEmpty());
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 50));
        QCOMPARE(events.clicks.size(), 1);
        QCOMPARE(events.clicks[0].panel, 1);
        // A hidden panel gives way to the next visible one, else to the last one before it.
        bar->SetTopPanel(2);
        QCOMPARE(bar->ActivePanel(), second);
        hidden->SetVisible(true);
        second->SetVisible(false);
        bar->SetTopPanel(1);
        QCOMPARE(bar->ActivePanel(), hidden);
    }

    void releaseElsewhereEndsThePress()
    {
        auto bar = MakeBar(492);
        const QPoint pos(60, 80);
        QTest::mousePress(bar.get(), Qt::LeftButton, {}, pos);
        QVERIFY(bar->LeftButtonDown());
        // The button came up over a box the handler showed; the next move has no button down.
        QMouseEvent move(QEvent::MouseMove, QPointF(pos), bar->mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(bar.get(), &move);
        QVERIFY(!bar->LeftButtonDown());
        QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, pos);
    }

    void helpAreaShowsTheClickedItemsHelp()
    {
        auto bar = MakeBar(300);
        TCommandPanel* panel = Panel0(*bar);
        panel->Items[1]->SetHelp(QStringLiteral("Shows the second thing"));
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 80));
        QVERIFY(bar->HelpText().isEmpty());
        bar->HelpPanel.SetHeight(40);
        bar->HelpPanel.SetVisible(true);
        QCOMPARE(bar->ItemsBottom(), 260);
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 80));
        QCOMPARE(bar->HelpText(), QStringLiteral("Shows the second thing"));
        // An item without help leaves the text as it is.
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 20));
        QCOMPARE(bar->HelpText(), QStringLiteral("Shows the second thing"));
    }

    void keysPressItemsAndSwitchPanels_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("activePanel");
        QTest::newRow("item shortcut") << QKeyCombination(Qt::ControlModifier, Qt::Key_K) << QList<int>{2} << 0;
        QTest::newRow("shortcut of a hidden item") << QKeyCombination(Qt::ControlModifier, Qt::Key_J) << QList<int>{} << 0;
        QTest::newRow("Alt and an item's letter") << QKeyCombination(Qt::AltModifier, Qt::Key_E) << QList<int>{1} << 0;
        QTest::newRow("letter without Alt") << QKeyCombination(Qt::NoModifier, Qt::Key_E) << QList<int>{} << 0;
        QTest::newRow("doubled ampersand is no mnemonic") << QKeyCombination(Qt::AltModifier, Qt::Key_A) << QList<int>{} << 0;
        QTest::newRow("panel shortcut") << QKeyCombination(Qt::ControlModifier, Qt::Key_2) << QList<int>{} << 1;
        QTest::newRow("Alt and a panel's letter") << QKeyCombination(Qt::AltModifier, Qt::Key_S) << QList<int>{} << 1;
        QTest::newRow("unbound key") << QKeyCombination(Qt::ControlModifier, Qt::Key_Q) << QList<int>{} << 0;
    }
    void keysPressItemsAndSwitchPanels()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QList<int>, clicks);
        QFETCH(int, activePanel);
        auto bar = MakeBar(492);
        TCommandPanel* panel = Panel0(*bar);
        panel->Items[1]->SetCaption(QStringLiteral("Op&en"));
        panel->Items[2]->SetShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_K));
        panel->Items[3]->SetShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_J));
        panel->Items[3]->SetVisible(false);
        panel->Items[0]->SetCaption(QStringLiteral("Salt && &&Pepper"));
        TCommandPanel* second = bar->Panels.Add();
        second->SetCaption(QStringLiteral("&Second"));
        second->SetShortCut(QKeyCombination(Qt::ControlModifier, Qt::Key_2));
        ItemEvents events(*bar);
        QTest::keyClick(bar.get(), key.key(), key.keyboardModifiers());
        QList<int> got;
        for (const Click& click : events.clicks)
            got.append(click.item);
        QCOMPARE(got, clicks);
        QCOMPARE(bar->ActivePanel()->Index(), activePanel);
    }

    void takesTheFocusByClickAndTab()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* edit = new QLineEdit(&window);
        auto* bar = new TCommandBar(&window);
        bar->Panels.Add()->Items.Add()->SetCaption(QStringLiteral("Only"));
        layout->addWidget(edit);
        layout->addWidget(bar);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(bar->hasFocus());
        edit->setFocus();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(bar->hasFocus());
        bar->SetTabStop(false);
        edit->setFocus();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(edit->hasFocus());
    }
};

VELLOMAR_TEST_MAIN(CommandBarInputTest)
#include "test_command_bar_input.moc"
