// What a screen reader hears while the keyboard or the mouse moves over the bar: a focus event
// for each item that takes the focus, naming the item after the bar itself.
#include "AccessibilityEvents.h"
#include "BarFixture.h"
#include "TestSupport.h"
#include "sidebar/CommandBarAccessible.h"

namespace {

QString ButtonNamed(const char* name)
{
    return QString::fromLatin1(name) + u':' + QString::number(QAccessible::Button);
}

} // namespace

class CommandBarFocusEventsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InstallCommandBarAccessibility();
        QVERIFY(AccessibilityEvents::WaitForBus());
    }

    void eachFocusedItemIsAnnounced()
    {
        auto bar = MakeBar(492);
        bar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar.get()));
        bar->clearFocus();

        AccessibilityEvents events;
        bar->setFocus(Qt::TabFocusReason);
        // The item is named last, after the bar itself took the focus.
        QTRY_COMPARE(events.LastNamed(QAccessible::Focus), ButtonNamed("Item 0"));
        QTest::keyClick(bar.get(), Qt::Key_Down);
        QCOMPARE(events.LastNamed(QAccessible::Focus), ButtonNamed("Item 1"));
        QTest::keyClick(bar.get(), Qt::Key_End);
        QCOMPARE(events.LastNamed(QAccessible::Focus), ButtonNamed("Item 3"));
        // Down on the last item moves nothing and says nothing.
        const qsizetype said = events.Of(QAccessible::Focus).size();
        QTest::keyClick(bar.get(), Qt::Key_Down);
        QCOMPARE(events.Of(QAccessible::Focus).size(), said);
        // A press moves the focus to the pressed item; into a bar without the focus it too is
        // named after the bar.
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 80));
        QCOMPARE(events.LastNamed(QAccessible::Focus), ButtonNamed("Item 1"));
        bar->clearFocus();
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 140));
        QTRY_COMPARE(events.LastNamed(QAccessible::Focus), ButtonNamed("Item 2"));
    }

    void noItemIsAnnouncedWithoutTheFocus()
    {
        auto bar = MakeBar(492);
        bar->clearFocus();
        AccessibilityEvents events;
        bar->SetFocusedItem(Panel0(*bar)->Items[2]);
        QVERIFY(events.Of(QAccessible::Focus).isEmpty());
    }
};

VELLOMAR_TEST_MAIN(CommandBarFocusEventsTest)
#include "test_command_bar_focus_events.moc"
