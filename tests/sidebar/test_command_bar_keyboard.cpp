// The bar without a mouse: the keys that move the focus over the items and press them, and the
// focus mark that shows where the keyboard is.
#include "BarFixture.h"
#include "TestSupport.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

// A shown bar that has the keyboard focus, as after a Tab into it.
std::unique_ptr<TCommandBar> FocusedBar(int height)
{
    auto bar = MakeBar(height);
    bar->activateWindow();
    if (!QTest::qWaitForWindowActive(bar.get()))
        qWarning("the command bar did not become active");
    // The window's activation gave the bar the focus already; the keyboard brings it back.
    bar->clearFocus();
    bar->setFocus(Qt::TabFocusReason);
    return bar;
}

int FocusedIndex(const TCommandBar& bar)
{
    return bar.FocusedItem() ? bar.FocusedItem()->Index() : -1;
}

QList<int> ClickedIndexes(TCommandBar& bar, const std::function<void()>& action)
{
    QList<int> clicked;
    bar.OnItemClick = [&clicked](QObject*, TCommandPanel*, TCommandItem* item) { clicked.append(item->Index()); };
    action();
    bar.OnItemClick = nullptr;
    return clicked;
}

// Whether the dotted focus frame lies around the row that starts at `top` (its top-left dot,
// black where the frame turned the white panel over).
bool FocusMarkOnRow(TCommandBar& bar, int top)
{
    return bar.grab().toImage().pixelColor(2, top + 2) == QColor(Qt::black);
}

} // namespace

class CommandBarKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // The pointer rests away from every bar, so no hover box covers the rows.
        QCursor::setPos(0, 0);
    }

    void keysMoveTheFocusAndPress_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("focused");
        QTest::addColumn<QList<int>>("clicks");
        using K = QList<int>;
        QTest::newRow("the focus starts on the first row") << K{} << 0 << K{};
        QTest::newRow("down") << K{Qt::Key_Down} << 1 << K{};
        QTest::newRow("down passes the hidden item") << K{Qt::Key_Down, Qt::Key_Down} << 3 << K{};
        QTest::newRow("down stops at the last item") << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 3
                                                     << K{};
        QTest::newRow("up stops at the first item") << K{Qt::Key_Up} << 0 << K{};
        QTest::newRow("end") << K{Qt::Key_End} << 3 << K{};
        QTest::newRow("end then home") << K{Qt::Key_End, Qt::Key_Home} << 0 << K{};
        QTest::newRow("return presses the focused item") << K{Qt::Key_Down, Qt::Key_Return} << 1 << K{1};
        QTest::newRow("keypad enter presses") << K{Qt::Key_End, Qt::Key_Enter} << 3 << K{3};
        QTest::newRow("space presses") << K{Qt::Key_Space} << 0 << K{0};
        QTest::newRow("a letter does nothing") << K{Qt::Key_H} << 0 << K{};
    }
    void keysMoveTheFocusAndPress()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, focused);
        QFETCH(QList<int>, clicks);
        auto bar = FocusedBar(492);
        Panel0(*bar)->Items[2]->SetVisible(false);
        const QList<int> got = ClickedIndexes(*bar, [&] {
            for (int key : keys)
                QTest::keyClick(bar.get(), Qt::Key(key));
        });
        QCOMPARE(FocusedIndex(*bar), focused);
        QCOMPARE(got, clicks);
    }

    void keysWithModifiersAreLeftAlone()
    {
        auto bar = FocusedBar(492);
        QTest::keyClick(bar.get(), Qt::Key_Down, Qt::ControlModifier);
        const QList<int> got = ClickedIndexes(*bar, [&] { QTest::keyClick(bar.get(), Qt::Key_Return, Qt::AltModifier); });
        QCOMPARE(FocusedIndex(*bar), 0);
        QVERIFY(got.isEmpty());
    }

    void holdingEnterRunsTheCommandOnce()
    {
        auto bar = FocusedBar(492);
        const QList<int> got = ClickedIndexes(*bar, [&] {
            QKeyEvent first(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(bar.get(), &first);
            QApplication::sendEvent(bar.get(), &repeat);
            QApplication::sendEvent(bar.get(), &repeat);
        });
        QCOMPARE(got, QList<int>{0});
    }

    void theFocusedRowIsScrolledIntoView_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("focused");
        QTest::addColumn<int>("topItem");
        // 120 pixels show two rows of 54 and part of a third.
        QTest::newRow("a row that fits keeps the rows") << QList<int>{Qt::Key_Down} << 1 << 0;
        QTest::newRow("the part-shown row moves up") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 2 << 1;
        QTest::newRow("end") << QList<int>{Qt::Key_End} << 3 << 2;
        QTest::newRow("end then home") << QList<int>{Qt::Key_End, Qt::Key_Home} << 0 << 0;
        QTest::newRow("end then up keeps the rows") << QList<int>{Qt::Key_End, Qt::Key_Up} << 2 << 2;
    }
    void theFocusedRowIsScrolledIntoView()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, focused);
        QFETCH(int, topItem);
        auto bar = FocusedBar(120);
        for (int key : keys)
            QTest::keyClick(bar.get(), Qt::Key(key));
        QCOMPARE(FocusedIndex(*bar), focused);
        QCOMPARE(Panel0(*bar)->TopItem(), topItem);
        const TRect row = bar->ItemRect(Panel0(*bar), Panel0(*bar)->Items[focused]);
        QVERIFY(!row.IsEmpty() && row.Bottom <= bar->ItemsBottom());
    }

    void theFocusMarkShowsWhileTheKeyboardLeads()
    {
        auto bar = FocusedBar(492);
        // Tabbed into: the first row carries the mark, the others do not.
        QTRY_VERIFY(FocusMarkOnRow(*bar, 0));
        QVERIFY(!FocusMarkOnRow(*bar, 54));
        QTest::keyClick(bar.get(), Qt::Key_Down);
        QTRY_VERIFY(FocusMarkOnRow(*bar, 54));
        QVERIFY(!FocusMarkOnRow(*bar, 0));

        // A press hands the lead to the mouse: the pressed row takes the focus, without a mark.
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(60, 140));
        QCursor::setPos(0, 0);
        QCOMPARE(FocusedIndex(*bar), 2);
        QVERIFY(!bar->FocusCuesShown());
        QTRY_VERIFY(!FocusMarkOnRow(*bar, 108));
        QTest::keyClick(bar.get(), Qt::Key_Down);
        QCOMPARE(FocusedIndex(*bar), 3);
        QTRY_VERIFY(FocusMarkOnRow(*bar, 162));

        // Without the focus there is no mark, and none with ShowFocus off.
        bar->clearFocus();
        QTRY_VERIFY(!FocusMarkOnRow(*bar, 162));
        bar->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(FocusMarkOnRow(*bar, 162));
        bar->SetShowFocus(false);
        QTRY_VERIFY(!FocusMarkOnRow(*bar, 162));
    }

    void aRemovedFocusedItemHandsTheFocusOn()
    {
        auto bar = FocusedBar(492);
        QTest::keyClick(bar.get(), Qt::Key_End);
        Panel0(*bar)->Items.Delete(3);
        QCOMPARE(bar->FocusedItem(), nullptr);
        QTest::keyClick(bar.get(), Qt::Key_Down);
        QCOMPARE(FocusedIndex(*bar), 0);
        QCOMPARE(ClickedIndexes(*bar, [&] { QTest::keyClick(bar.get(), Qt::Key_Space); }), QList<int>{0});
    }

    void aHandlerThatRemovesTheBarEndsThePress()
    {
        auto bar = FocusedBar(492);
        bar->OnItemClick = [&bar](QObject*, TCommandPanel*, TCommandItem*) { bar.reset(); };
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(bar.get(), &enter);
        QVERIFY(!bar);
    }
};

VELLOMAR_TEST_MAIN(CommandBarKeyboardTest)
#include "test_command_bar_keyboard.moc"
