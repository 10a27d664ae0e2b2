// Scroll bars and headers drawn from a skin of solid frames: the frame of each arrow, track,
// thumb and section in each state, the thumb where the value puts it, and scrolling by the
// bars' own mouse handling while they are skinned.
#include "ControlSkinFixture.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>

namespace {

enum TElement { kArrows = 1, kVertTrack, kHorzTrack, kVertThumb, kHorzThumb, kHeaderbar };

QByteArray ScrollingSkin()
{
    TestSkin skin;
    AddSolidElement(skin, "Scrollbar", kArrows, 23, {16, 16});
    AddSolidElement(skin, "VertScroll", kVertTrack, 4, {16, 16});
    AddSolidElement(skin, "HorzScroll", kHorzTrack, 4, {16, 16});
    AddSolidElement(skin, "VertScrollThumb", kVertThumb, 3, {16, 16});
    AddSolidElement(skin, "HorzScrollThumb", kHorzThumb, 3, {16, 16});
    AddSolidElement(skin, "Headerbar", kHeaderbar, 5, {20, 20});
    return skin.Package();
}

// The arrows at the two ends of a bar, where a user presses them.
QPoint FirstArrow(const QScrollBar* bar)
{
    return bar->orientation() == Qt::Vertical ? QPoint(bar->width() / 2, 3) : QPoint(3, bar->height() / 2);
}
QPoint LastArrow(const QScrollBar* bar)
{
    return bar->orientation() == Qt::Vertical ? QPoint(bar->width() / 2, bar->height() - 4)
                                              : QPoint(bar->width() - 4, bar->height() / 2);
}

QScrollBar* NewBar(Qt::Orientation orientation, int value)
{
    auto* bar = new QScrollBar(orientation);
    bar->setRange(0, 100);
    bar->setPageStep(20);
    bar->setValue(value);
    bar->resize(orientation == Qt::Vertical ? QSize(16, 200) : QSize(200, 16));
    return bar;
}

} // namespace

class SkinnedScrollingControlsTest : public QObject {
    Q_OBJECT

    ControlForm form;

private slots:
    void cleanup() { form.Close(); }

    // Frames 1-4 up, 5-8 down, 9-12 left, 13-16 right (normal, hot, pressed, disabled): an
    // arrow that cannot scroll further is disabled; the arrow at the right end points right
    // whichever way the bar runs.
    void arrowFrames_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("firstFrame");
        QTest::addColumn<int>("lastFrame");
        QTest::addColumn<int>("valueAfter");
        const int v = Qt::Vertical, h = Qt::Horizontal;
        QTest::newRow("upright") << v << false << 50 << "" << 1 << 5 << 50;
        QTest::newRow("upright, at the top") << v << false << 0 << "" << 4 << 5 << 0;
        QTest::newRow("upright, at the bottom") << v << false << 100 << "" << 1 << 8 << 100;
        QTest::newRow("upright, disabled") << v << false << 50 << "disabled" << 4 << 8 << 50;
        QTest::newRow("upright, nothing to scroll") << v << false << 0 << "empty" << 4 << 8 << 0;
        QTest::newRow("pointer on the down arrow") << v << false << 50 << "hot last" << 1 << 6 << 50;
        QTest::newRow("pointer gone again") << v << false << 50 << "hot last away" << 1 << 5 << 50;
        QTest::newRow("down arrow held") << v << false << 50 << "pressed last" << 1 << 7 << 51;
        QTest::newRow("up arrow held") << v << false << 50 << "pressed first" << 3 << 5 << 49;
        QTest::newRow("across") << h << false << 50 << "" << 9 << 13 << 50;
        QTest::newRow("across, at the start") << h << false << 0 << "" << 12 << 13 << 0;
        QTest::newRow("right to left, at the start") << h << true << 0 << "" << 9 << 16 << 0;
        QTest::newRow("right to left, right arrow held") << h << true << 50 << "pressed last" << 9 << 15 << 49;
    }
    void arrowFrames()
    {
        QFETCH(int, orientation);
        QFETCH(bool, rightToLeft);
        QFETCH(int, value);
        QFETCH(QString, state);
        QFETCH(int, firstFrame);
        QFETCH(int, lastFrame);
        QFETCH(int, valueAfter);
        form.LoadSkin(ScrollingSkin());
        QScrollBar* bar = NewBar(Qt::Orientation(orientation), value);
        bar->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        bar->setEnabled(!state.contains(u"disabled"));
        if (state == u"empty")
            bar->setRange(0, 0);
        QVERIFY(form.Show({bar}));
        const QPoint arrow = state.contains(u"first") ? FirstArrow(bar) : LastArrow(bar);
        if (state.contains(u"hot"))
            PointAt(bar, arrow);
        if (state.contains(u"away"))
            form.PointAway();
        if (state.contains(u"pressed"))
            QTest::mousePress(bar, Qt::LeftButton, {}, arrow);
        // Read before the bar's repeat timer may step again.
        QCOMPARE(bar->value(), valueAfter);
        const QImage shown = OnScreen(bar);
        QCOMPARE(FrameShown(shown.pixel(FirstArrow(bar)), kArrows), firstFrame);
        QCOMPARE(FrameShown(shown.pixel(LastArrow(bar)), kArrows), lastFrame);
        if (state.contains(u"pressed")) {
            QTest::mouseRelease(bar, Qt::LeftButton, {}, arrow);
            QCOMPARE(FrameShown(OnScreen(bar).pixel(arrow), kArrows),
                     state.contains(u"first") ? firstFrame - 2 : lastFrame - 2);
        }
    }

    // The thumb's place and length follow the value and the page (page ÷ (range + page) of the
    // track); pressed where it is drawn, the bar holds it, and it follows a drag.
    void thumbFollowsTheValue_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("along");
        const int v = Qt::Vertical, h = Qt::Horizontal;
        QTest::newRow("at the top") << v << false << 0 << 0.0;
        QTest::newRow("in the middle") << v << false << 50 << 0.5;
        QTest::newRow("at the bottom") << v << false << 100 << 1.0;
        QTest::newRow("across, a quarter") << h << false << 25 << 0.25;
        QTest::newRow("right to left, at the start") << h << true << 0 << 1.0;
        QTest::newRow("right to left, a quarter") << h << true << 25 << 0.75;
    }
    void thumbFollowsTheValue()
    {
        QFETCH(int, orientation);
        QFETCH(bool, rightToLeft);
        QFETCH(int, value);
        QFETCH(double, along);
        form.LoadSkin(ScrollingSkin());
        const bool vertical = orientation == Qt::Vertical;
        QScrollBar* bar = NewBar(Qt::Orientation(orientation), value);
        bar->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        QVERIFY(form.Show({bar}));
        const int thumbElement = vertical ? kVertThumb : kHorzThumb;
        const QImage shown = OnScreen(bar);
        const QRect thumb = ElementArea(shown, thumbElement);
        const QRect track = ElementArea(shown, vertical ? kVertTrack : kHorzTrack) | thumb;
        QVERIFY(!thumb.isEmpty());
        const auto start = [vertical](const QRect& r) { return vertical ? r.top() : r.left(); };
        const auto length = [vertical](const QRect& r) { return vertical ? r.height() : r.width(); };
        // 20 of 120: a sixth of the track.
        QVERIFY2(qAbs(length(thumb) - length(track) / 6) <= 2, qPrintable(QString::number(length(thumb))));
        const double expected = start(track) + along * (length(track) - length(thumb));
        QVERIFY2(qAbs(start(thumb) - expected) <= 2, qPrintable(QString::number(start(thumb))));

        QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
        QVERIFY(bar->isSliderDown());
        QCOMPARE(FrameShown(OnScreen(bar).pixel(thumb.center()), thumbElement), 3);
        const int towardsMiddle = along > 0.5 ? -30 : 30;
        const QPoint dragged = thumb.center() + (vertical ? QPoint(0, towardsMiddle) : QPoint(towardsMiddle, 0));
        QTest::mouseMove(bar, dragged);
        QVERIFY(bar->value() != value);
        const QRect moved = ElementArea(OnScreen(bar), thumbElement);
        QVERIFY(qAbs(start(moved) - start(thumb) - towardsMiddle) <= 2);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, dragged);
        // Let go, the thumb is hot: the pointer is still on it.
        QCOMPARE(FrameShown(OnScreen(bar).pixel(dragged), thumbElement), 2);
    }

    // Skinned, a bar still scrolls by its own handling of the mouse: a line at an arrow, a page
    // in the track, which shows the pressed track frame while held. The same for the bars of a
    // scrolling window.
    void scrollingByTheMouse_data()
    {
        QTest::addColumn<bool>("ofWindow");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lines");
        QTest::newRow("bar, line down") << false << "down arrow" << 0 << 1;
        QTest::newRow("bar, line up") << false << "up arrow" << 0 << -1;
        QTest::newRow("bar, page down") << false << "below the thumb" << 1 << 0;
        QTest::newRow("bar, page up") << false << "above the thumb" << -1 << 0;
        QTest::newRow("window, line down") << true << "down arrow" << 0 << 1;
        QTest::newRow("window, page up") << true << "above the thumb" << -1 << 0;
    }
    void scrollingByTheMouse()
    {
        QFETCH(bool, ofWindow);
        QFETCH(QString, where);
        QFETCH(int, pages);
        QFETCH(int, lines);
        form.LoadSkin(ScrollingSkin());
        QScrollBar* bar = nullptr;
        QPlainTextEdit* memo = nullptr;
        if (ofWindow) {
            memo = new QPlainTextEdit;
            memo->setLineWrapMode(QPlainTextEdit::NoWrap);
            memo->setPlainText(QStringLiteral("a long line of text that runs past the edge\n").repeated(200));
            memo->resize(200, 150);
            QVERIFY(form.Show({memo}));
            bar = memo->verticalScrollBar();
            bar->setValue(50);
        } else {
            bar = NewBar(Qt::Vertical, 50);
            QVERIFY(form.Show({bar}));
        }
        const QRect thumb = ElementArea(OnScreen(bar), kVertThumb);
        QVERIFY(!thumb.isEmpty());
        // In the track near its ends: far enough from the thumb that a page does not bring it there.
        const int x = bar->width() / 2;
        const QPoint at = where == u"down arrow" ? LastArrow(bar)
            : where == u"up arrow"               ? FirstArrow(bar)
            : where.contains(u"below")           ? QPoint(x, bar->height() - 20)
                                                 : QPoint(x, 19);
        QVERIFY(!thumb.contains(at));
        const int before = bar->value();
        const int page = bar->pageStep();
        QTest::mousePress(bar, Qt::LeftButton, {}, at);
        // The step is taken on the press: read before the repeat timer may step again.
        const int moved = bar->value() - before;
        if (where.contains(u"thumb"))
            QCOMPARE(FrameShown(OnScreen(bar).pixel(at), kVertTrack), 3);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
        // A text window pages by its lines, which may round the page up by one.
        if (lines != 0)
            QCOMPARE(moved, lines * bar->singleStep());
        else
            QVERIFY2(moved * pages >= page && moved * pages <= page + 1, qPrintable(QString::number(moved)));
        if (memo) {
            // The square where the two bars meet.
            QScrollBar* across = memo->horizontalScrollBar();
            QVERIFY(across->isVisible());
            const QPoint corner(bar->mapTo(memo, bar->rect().center()).x(),
                                across->mapTo(memo, across->rect().center()).y());
            QCOMPARE(FrameShown(OnScreen(memo).pixel(corner), kArrows), 17);
        }
    }

    // Sections from the Headerbar element: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 sorted by;
    // the room after the last section as a normal section.
    void headerSections_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QList<int>>("frames");
        QTest::newRow("normal") << "" << QList<int>{1, 1, 1, 1};
        QTest::newRow("row header") << "rows" << QList<int>{1, 1, 1, 1};
        QTest::newRow("row header, pointer on the third") << "rows hot" << QList<int>{1, 1, 2, 1};
        QTest::newRow("sorted by the second") << "sorted" << QList<int>{1, 5, 1, 1};
        QTest::newRow("pointer on the third") << "hot" << QList<int>{1, 1, 2, 1};
        QTest::newRow("pointer gone again") << "hot away" << QList<int>{1, 1, 1, 1};
        QTest::newRow("first held") << "pressed" << QList<int>{3, 1, 1, 1};
        QTest::newRow("disabled") << "disabled" << QList<int>{4, 4, 4, 4};
        QTest::newRow("clicked to sort by the first") << "click" << QList<int>{5, 1, 1, 1};
    }
    void headerSections()
    {
        QFETCH(QString, state);
        QFETCH(QList<int>, frames);
        form.LoadSkin(ScrollingSkin());
        const bool rows = state.contains(u"rows");
        auto* grid = new QTableWidget(3, 3);
        grid->setHorizontalHeaderLabels({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        grid->setSortingEnabled(state == u"click");
        grid->setEnabled(!state.contains(u"disabled"));
        grid->resize(340, 200);
        QVERIFY(form.Show({grid}));
        QHeaderView* header = rows ? grid->verticalHeader() : grid->horizontalHeader();
        QWidget* sections = header->viewport();
        if (state == u"sorted") {
            header->setSortIndicator(1, Qt::AscendingOrder);
            header->setSortIndicatorShown(true);
        }
        // A few pixels into a section, clear of its caption.
        const auto sectionPoint = [header, rows](int logical) {
            const int at = header->sectionViewportPosition(logical) + 3;
            return rows ? QPoint(3, at) : QPoint(at, 3);
        };
        if (state.contains(u"hot"))
            PointAt(sections, sectionPoint(2));
        if (state.contains(u"away"))
            form.PointAway();
        if (state == u"pressed")
            QTest::mousePress(sections, Qt::LeftButton, {}, sectionPoint(0));
        if (state == u"click") {
            QTest::mouseClick(sections, Qt::LeftButton, {}, sectionPoint(0));
            QCOMPARE(header->sortIndicatorSection(), 0);
        }
        const QImage shown = OnScreen(sections);
        for (int logical = 0; logical < 3; ++logical)
            QCOMPARE(FrameShown(shown.pixel(sectionPoint(logical)), kHeaderbar), frames[logical]);
        const int end = header->sectionViewportPosition(2) + header->sectionSize(2) + 3;
        const QPoint rest = rows ? QPoint(3, end) : QPoint(end, 3);
        QVERIFY(sections->rect().contains(rest));
        QCOMPARE(FrameShown(shown.pixel(rest), kHeaderbar), frames[3]);
        if (state == u"pressed")
            QTest::mouseRelease(sections, Qt::LeftButton, {}, sectionPoint(0));
    }
};

VELLOMAR_TEST_MAIN(SkinnedScrollingControlsTest)
#include "test_skinned_scrolling_controls.moc"
