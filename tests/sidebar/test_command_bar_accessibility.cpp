// The bar as an assistive client reads it: panels as groupings, items as buttons with their
// captions, places and states, presses that run the click event, and focus events per item.
#include "BarFixture.h"
#include "TestSupport.h"
#include "sidebar/CommandBarAccessible.h"

#include <QAccessible>
#include <QAccessibleInterface>

namespace {

QAccessibleInterface* BarInterface(TCommandBar& bar)
{
    return QAccessible::queryAccessibleInterface(&bar);
}

// The grouping of the bar's first visible panel.
QAccessibleInterface* FirstPanel(TCommandBar& bar)
{
    return BarInterface(bar)->child(0);
}

QStringList ChildNames(QAccessibleInterface* parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names.append(parent->child(i)->text(QAccessible::Name));
    return names;
}

void RecordClicks(TCommandBar& bar, QList<int>& sink)
{
    bar.OnItemClick = [&sink](QObject*, TCommandPanel*, TCommandItem* item) { sink.append(item->Index()); };
}

} // namespace

class CommandBarAccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallCommandBarAccessibility(); }
    void init() { QCursor::setPos(0, 0); }

    void panelsHoldTheVisibleItemsAsButtons()
    {
        auto bar = MakeBar(492);
        Panel0(*bar)->Items[2]->SetVisible(false);
        QAccessibleInterface* barIface = BarInterface(*bar);
        QCOMPARE(barIface->role(), QAccessible::ToolBar);
        QCOMPARE(barIface->childCount(), 1);
        QAccessibleInterface* panel = FirstPanel(*bar);
        QCOMPARE(panel->role(), QAccessible::Grouping);
        QCOMPARE(panel->parent(), barIface);
        QCOMPARE(barIface->indexOfChild(panel), 0);
        QVERIFY(panel->state().expanded);
        QCOMPARE(ChildNames(panel), (QStringList{"Item 0", "Item 1", "Item 3"}));
        for (int i = 0; i < panel->childCount(); ++i) {
            QAccessibleInterface* item = panel->child(i);
            QCOMPARE(item->role(), QAccessible::Button);
            QCOMPARE(item->parent(), panel);
            QCOMPARE(panel->indexOfChild(item), i);
            // Asked again, the same part answers.
            QCOMPARE(panel->child(i), item);
            QVERIFY(item->actionInterface());
            QVERIFY(item->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        }
        // Places on the screen: rows of 54 from the top, the hidden item taking none.
        const QPoint origin = bar->mapToGlobal(QPoint(0, 0));
        QCOMPARE(panel->child(0)->rect(), QRect(origin, QSize(121, 54)));
        QCOMPARE(panel->child(2)->rect(), QRect(origin + QPoint(0, 108), QSize(121, 54)));
        QCOMPARE(barIface->childAt(origin.x() + 60, origin.y() + 120), panel);
        QCOMPARE(panel->childAt(origin.x() + 60, origin.y() + 120), panel->child(2));
    }

    void namesAndKeysOfItems_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeyCombination>("shortCut");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        const QKeyCombination none(Qt::NoModifier, Qt::Key(0));
        QTest::newRow("plain") << "Login" << none << "Login" << "";
        QTest::newRow("mnemonic") << "Op&en" << none << "Open" << "Alt+E";
        QTest::newRow("doubled ampersand") << "Salt && Pepper" << none << "Salt & Pepper" << "";
        QTest::newRow("shortcut") << "Help" << QKeyCombination(Qt::ControlModifier, Qt::Key_K) << "Help" << "Ctrl+K";
    }
    void namesAndKeysOfItems()
    {
        QFETCH(QString, caption);
        QFETCH(QKeyCombination, shortCut);
        QFETCH(QString, name);
        QFETCH(QString, keys);
        auto bar = MakeBar(492);
        TCommandItem* item = Panel0(*bar)->Items[1];
        item->SetCaption(caption);
        item->SetShortCut(shortCut);
        item->SetHelp(QStringLiteral("Runs the second command"));
        QAccessibleInterface* iface = FirstPanel(*bar)->child(1);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Accelerator), keys);
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Runs the second command"));
        const QStringList bindings = iface->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(bindings, keys.isEmpty() ? QStringList{} : QStringList{keys});
    }

    void pressRunsTheClickEventOnce_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 4; ++i)
            QTest::addRow("item %d", i) << i;
    }
    void pressRunsTheClickEventOnce()
    {
        QFETCH(int, index);
        auto bar = MakeBar(492);
        QList<int> clicks;
        RecordClicks(*bar, clicks);
        FirstPanel(*bar)->child(index)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The press comes round from the event loop, as a click would.
        QVERIFY(clicks.isEmpty());
        QTRY_COMPARE(clicks, QList<int>{index});
        QTest::qWait(50);
        QCOMPARE(clicks, QList<int>{index});
    }

    void aPressOnAnItemRemovedMeanwhileRunsNothing()
    {
        auto bar = MakeBar(492);
        QList<int> clicks;
        RecordClicks(*bar, clicks);
        FirstPanel(*bar)->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QAccessibleInterface* item = FirstPanel(*bar)->child(3);
        Panel0(*bar)->Items.Delete(3);
        QVERIFY(!item->isValid());
        QVERIFY(item->state().invalid);
        QVERIFY(item->text(QAccessible::Name).isEmpty());
        QVERIFY(item->rect().isEmpty());
        QTest::qWait(50);
        QVERIFY(clicks.isEmpty());
        QCOMPARE(FirstPanel(*bar)->childCount(), 3);
    }

    void rowsOutOfViewAreOffscreen()
    {
        // 120 pixels: two whole rows, part of the third, none of the fourth.
        auto bar = MakeBar(120);
        QAccessibleInterface* panel = FirstPanel(*bar);
        QCOMPARE(panel->childCount(), 4);
        QVERIFY(!panel->child(1)->state().offscreen);
        QCOMPARE(panel->child(2)->rect().height(), 120 - 108);
        QVERIFY(!panel->child(2)->state().offscreen);
        QVERIFY(panel->child(3)->state().offscreen);
        QVERIFY(panel->child(3)->rect().isEmpty());
    }

    void hoverAndFocusAreReported()
    {
        auto bar = MakeBar(492);
        QAccessibleInterface* panel = FirstPanel(*bar);
        PointAt(bar.get(), QPoint(60, 80));
        QVERIFY(panel->child(1)->state().hotTracked);
        QVERIFY(!panel->child(0)->state().hotTracked);

        bar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar.get()));
        bar->setFocus(Qt::TabFocusReason);
        QVERIFY(panel->child(0)->state().focusable);
        QVERIFY(panel->child(0)->state().focused);
        QCOMPARE(BarInterface(*bar)->focusChild(), panel->child(0));
        QTest::keyClick(bar.get(), Qt::Key_End);
        QVERIFY(panel->child(3)->state().focused);
        QVERIFY(!panel->child(0)->state().focused);

        // The set-focus action gives the bar the focus on that item.
        bar->clearFocus();
        QVERIFY(!panel->child(3)->state().focused);
        QCOMPARE(BarInterface(*bar)->focusChild(), nullptr);
        panel->child(2)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
        QVERIFY(bar->hasFocus());
        QCOMPARE(bar->FocusedItem(), Panel0(*bar)->Items[2]);
        QVERIFY(panel->child(2)->state().focused);
    }

    void panelsAreGroupingsNamedByTheirCaptions()
    {
        auto bar = MakeBar(492);
        bar->PanelCaption.SetHeight(20);
        Panel0(*bar)->SetCaption(QStringLiteral("&Commands"));
        TCommandPanel* second = bar->Panels.Add();
        second->SetCaption(QStringLiteral("Tools"));
        second->Items.Add()->SetCaption(QStringLiteral("Hammer"));
        QAccessibleInterface* barIface = BarInterface(*bar);
        QCOMPARE(ChildNames(barIface), (QStringList{"Commands", "Tools"}));
        QAccessibleInterface* first = barIface->child(0);
        QAccessibleInterface* tools = barIface->child(1);
        QVERIFY(first->state().expanded);
        QVERIFY(tools->state().collapsed);
        QCOMPARE(tools->childCount(), 0);
        const QPoint origin = bar->mapToGlobal(QPoint(0, 0));
        QCOMPARE(tools->rect(), QRect(origin + QPoint(0, 472), QSize(121, 20)));
        QCOMPARE(first->rect(), QRect(origin, QSize(121, 472)));

        // Pressing the closed panel opens it, as a press on its caption does.
        QCOMPARE(tools->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        QVERIFY(first->actionInterface()->actionNames().isEmpty());
        tools->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(bar->ActivePanel(), second);
        QCOMPARE(ChildNames(tools), QStringList{"Hammer"});
        QCOMPARE(first->childCount(), 0);
    }
};

VELLOMAR_TEST_MAIN(CommandBarAccessibilityTest)
#include "test_command_bar_accessibility.moc"
