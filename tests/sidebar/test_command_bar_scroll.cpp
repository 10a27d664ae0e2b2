// The scroll buttons of a bar too short for its rows, and the 150 ms repeat while one is held.
#include "BarFixture.h"
#include "TestSupport.h"

namespace {

// Paints once, as showing the bar would, so that the scroll buttons are up to date.
void Settle(TCommandBar& bar)
{
    bar.grab();
}

const QPoint kDownZone(110, 110); // inside the 20 x 20 zone at the bottom right of a 120 high bar

} // namespace

class CommandBarScrollTest : public QObject {
    Q_OBJECT

private slots:
    void downButtonShowsWhenRowsDoNotFit_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("down");
        QTest::newRow("design size") << 492 << false;
        QTest::newRow("room to spare") << 300 << false;
        QTest::newRow("two rows fit") << 120 << true;
        QTest::newRow("one row fits") << 60 << true;
    }
    void downButtonShowsWhenRowsDoNotFit()
    {
        QFETCH(int, height);
        QFETCH(bool, down);
        auto bar = MakeBar(height);
        Settle(*bar);
        QCOMPARE(bar->DownButtonShown(), down);
        QVERIFY(!bar->UpButtonShown());
        // The glyph's face sits at the bottom right while the button is shown.
        const QImage shot = bar->grab().toImage();
        QCOMPARE(shot.pixelColor(112, height - 9) != QColor(Qt::white), down);
    }

    void scrollColumnNarrowsTheRows()
    {
        auto bar = MakeBar(120);
        Settle(*bar);
        const QImage shot = bar->grab().toImage();
        const QColor icon = Panel0(*bar)->Items[0]->Icon().pixelColor(0, 0);
        // Icons are centred in the 121 - 19 pixels left of the scroll column.
        QCOMPARE(shot.pixelColor(35, 2), icon);
        QCOMPARE(shot.pixelColor(34, 2), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(66, 2), icon);
        QCOMPARE(shot.pixelColor(67, 2), QColor(Qt::white));
        // And the pointer over the column is over no item.
        QVERIFY(bar->ItemAtPointer(QPoint(90, 20)));
        QVERIFY(!bar->ItemAtPointer(QPoint(101, 20)));
    }

    void shortClickScrollsOneRow()
    {
        auto bar = MakeBar(120);
        Settle(*bar);
        int clicks = 0;
        bar->OnItemClick = [&](QObject*, TCommandPanel*, TCommandItem*) { ++clicks; };
        PointAt(bar.get(), kDownZone);
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, kDownZone);
        QCOMPARE(Panel0(*bar)->TopItem(), 1);
        QTest::qWait(3 * TCommandBar::kScrollRepeatMs);
        QCOMPARE(Panel0(*bar)->TopItem(), 1);
        QCOMPARE(clicks, 0);
        QVERIFY(bar->UpButtonShown());
        // The second item is now the top row.
        QCOMPARE(bar->ItemAtPress(QPoint(40, 20)), Panel0(*bar)->Items[1]);
    }

    void holdingScrollsUntilTheLastRowFits_data()
    {
        QTest::addColumn<QPoint>("heldAt");
        QTest::addColumn<int>("finalTop");
        QTest::newRow("pointer stays on the button") << kDownZone << 2;
        QTest::newRow("pointer leaves the zone") << QPoint(60, 60) << 1;
    }
    void holdingScrollsUntilTheLastRowFits()
    {
        QFETCH(QPoint, heldAt);
        QFETCH(int, finalTop);
        auto bar = MakeBar(120);
        Settle(*bar);
        PointAt(bar.get(), kDownZone);
        QTest::mousePress(bar.get(), Qt::LeftButton, {}, kDownZone);
        QCOMPARE(Panel0(*bar)->TopItem(), 1);
        PointAt(bar.get(), heldAt);
        QTRY_COMPARE_WITH_TIMEOUT(Panel0(*bar)->TopItem(), finalTop, 2000);
        // Further ticks change nothing: the last row fits, or the pointer is elsewhere.
        QTest::qWait(4 * TCommandBar::kScrollRepeatMs);
        QCOMPARE(Panel0(*bar)->TopItem(), finalTop);
        QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, heldAt);
        Settle(*bar);
        TCommandPanel* panel = Panel0(*bar);
        QCOMPARE(bar->DownButtonShown(), finalTop < 2);
        if (finalTop == 2)
            QVERIFY(bar->ItemRect(panel, panel->Items[3]).Bottom < bar->height());
    }

    void upButtonScrollsBack()
    {
        auto bar = MakeBar(120);
        Panel0(*bar)->SetTopItem(2);
        Settle(*bar);
        QVERIFY(bar->UpButtonShown());
        const QPoint upZone(115, 3);
        PointAt(bar.get(), upZone);
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, upZone);
        QCOMPARE(Panel0(*bar)->TopItem(), 1);
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, upZone);
        QCOMPARE(Panel0(*bar)->TopItem(), 0);
        Settle(*bar);
        QVERIFY(!bar->UpButtonShown());
        // Without the up button the zone is an ordinary part of the first row.
        int clicks = 0;
        bar->OnItemClick = [&](QObject*, TCommandPanel*, TCommandItem* item) { clicks += item->Index() == 0; };
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, upZone);
        QCOMPARE(clicks, 1);
    }

    void scrollingSkipsInvisibleItems()
    {
        auto bar = MakeBar(120, 5);
        Panel0(*bar)->Items[1]->SetVisible(false);
        Settle(*bar);
        QVERIFY(bar->DownButtonShown());
        PointAt(bar.get(), kDownZone);
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, kDownZone);
        QCOMPARE(Panel0(*bar)->TopItem(), 2);
        Settle(*bar);
        // Items 2 and 3 fill the rows; item 4 is still below.
        QVERIFY(bar->DownButtonShown());
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, kDownZone);
        QCOMPARE(Panel0(*bar)->TopItem(), 3);
        Settle(*bar);
        QVERIFY(!bar->DownButtonShown());
    }
};

VELLOMAR_TEST_MAIN(CommandBarScrollTest)
#include "test_command_bar_scroll.moc"
