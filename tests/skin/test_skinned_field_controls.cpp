// Combo boxes, spin boxes and track bars drawn from a skin of solid frames: which frame each
// state shows, where the parts the user presses are drawn, and that the pointer's moves and
// presses reach the screen.
#include "ControlSkinFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

namespace {

enum TElement { kComboButton = 1, kSunkEdge, kUpDown, kThumbHorz, kThumbVert, kThumbDown };

QByteArray FieldSkin()
{
    TestSkin skin;
    AddSolidElement(skin, "ComboButton", kComboButton, 4, {16, 16});
    AddSolidElement(skin, "SunkEdge", kSunkEdge, 4, {8, 8}, "LeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\n");
    AddSolidElement(skin, "UpDown.Vert", kUpDown, 8, {14, 10});
    AddSolidElement(skin, "Trackbar.ThumbHorz", kThumbHorz, 5, {10, 16});
    AddSolidElement(skin, "Trackbar.ThumbVert", kThumbVert, 5, {16, 10});
    AddSolidElement(skin, "Trackbar.ThumbDown", kThumbDown, 5, {10, 16});
    return skin.Package();
}

// Where a spin box's up and down arrows are for a user: at its right end, top and bottom.
QPoint UpArrow(const QWidget* spin)
{
    return {spin->width() - 6, 5};
}
QPoint DownArrow(const QWidget* spin)
{
    return {spin->width() - 6, spin->height() - 6};
}

} // namespace

class SkinnedFieldControlsTest : public QObject {
    Q_OBJECT

    ControlForm form;

private slots:
    void cleanup() { form.Close(); }

    // The drop-down button and the sunken edge show the same frame: 1 normal, 2 dropped down,
    // 3 disabled, 4 focused or hot. Right to left, the button is at the left end.
    void comboBoxFrames_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("frame");
        QTest::newRow("normal") << "normal" << false << 1;
        QTest::newRow("dropped down") << "dropped" << false << 2;
        QTest::newRow("disabled") << "disabled" << false << 3;
        QTest::newRow("disabled under the pointer") << "disabled hot" << false << 3;
        QTest::newRow("focused") << "focused" << false << 4;
        QTest::newRow("under the pointer") << "hot" << false << 4;
        QTest::newRow("pointer gone again") << "hot left" << false << 1;
        QTest::newRow("right to left") << "normal" << true << 1;
        QTest::newRow("right to left, focused") << "focused" << true << 4;
    }
    void comboBoxFrames()
    {
        QFETCH(QString, state);
        QFETCH(bool, rightToLeft);
        QFETCH(int, frame);
        form.LoadSkin(FieldSkin());
        auto* combo = new QComboBox;
        combo->addItems({QStringLiteral("One"), QStringLiteral("Two")});
        combo->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        combo->setEnabled(!state.contains(u"disabled"));
        auto* other = new QLineEdit;
        QVERIFY(form.Show({other, combo}));
        other->setFocus();
        if (state == u"focused")
            combo->setFocus();
        if (state.contains(u"hot"))
            PointAt(combo, QPoint(combo->width() / 2, combo->height() / 2));
        if (state.contains(u"left"))
            form.PointAway();
        if (state == u"dropped") {
            combo->showPopup();
            QTRY_VERIFY(combo->view()->isVisible());
        }
        const int y = combo->height() / 2;
        const QPoint button(rightToLeft ? 5 : combo->width() - 6, y);
        const QPoint field(rightToLeft ? combo->width() - 6 : 5, y);
        const QImage shown = OnScreen(combo);
        QCOMPARE(FrameShown(shown.pixel(button), kComboButton), frame);
        QCOMPARE(FrameShown(shown.pixel(field), kComboButton), 0);
        QCOMPARE(FrameShown(shown.pixel(0, y), kSunkEdge), frame);
        QCOMPARE(FrameShown(shown.pixel(combo->width() - 1, y), kSunkEdge), frame);
        QCOMPARE(shown, Grab(combo));
        if (state == u"dropped")
            combo->hidePopup();
    }

    // The upper half shows frames 1-4 (normal, hot, pressed, disabled), the lower half 5-8; a
    // half that cannot step further is disabled. The box does the stepping itself.
    void upDownHalves_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("upFrame");
        QTest::addColumn<int>("downFrame");
        QTest::addColumn<int>("valueAfter");
        QTest::newRow("in the range") << 5 << "" << 1 << 5 << 5;
        QTest::newRow("at the top") << 10 << "" << 4 << 5 << 10;
        QTest::newRow("at the bottom") << 0 << "" << 1 << 8 << 0;
        QTest::newRow("at the top, wrapping") << 10 << "wrapping" << 1 << 5 << 10;
        QTest::newRow("disabled") << 5 << "disabled" << 4 << 8 << 5;
        QTest::newRow("pointer on the up arrow") << 5 << "hot up" << 2 << 5 << 5;
        QTest::newRow("pointer on the down arrow") << 5 << "hot down" << 1 << 6 << 5;
        QTest::newRow("up arrow pressed") << 5 << "pressed up" << 3 << 5 << 6;
        QTest::newRow("down arrow pressed") << 5 << "pressed down" << 1 << 7 << 4;
        QTest::newRow("pressed up to the top") << 9 << "pressed up" << 4 << 5 << 10;
        QTest::newRow("pointer gone again") << 5 << "hot up left" << 1 << 5 << 5;
    }
    void upDownHalves()
    {
        QFETCH(int, value);
        QFETCH(QString, state);
        QFETCH(int, upFrame);
        QFETCH(int, downFrame);
        QFETCH(int, valueAfter);
        form.LoadSkin(FieldSkin());
        auto* spin = new QSpinBox;
        spin->setRange(0, 10);
        spin->setValue(value);
        spin->setWrapping(state.contains(u"wrapping"));
        spin->setEnabled(!state.contains(u"disabled"));
        spin->resize(80, 30);
        QVERIFY(form.Show({spin}));
        const QPoint arrow = state.contains(u"up") ? UpArrow(spin) : DownArrow(spin);
        if (state.contains(u"hot"))
            PointAt(spin, arrow);
        if (state.contains(u"left"))
            form.PointAway();
        if (state.contains(u"pressed"))
            QTest::mousePress(spin, Qt::LeftButton, {}, arrow);
        // Read before the box's repeat timer may step again.
        QCOMPARE(spin->value(), valueAfter);
        const QImage shown = OnScreen(spin);
        QCOMPARE(FrameShown(shown.pixel(UpArrow(spin)), kUpDown), upFrame);
        QCOMPARE(FrameShown(shown.pixel(DownArrow(spin)), kUpDown), downFrame);
        if (state.contains(u"pressed")) {
            QTest::mouseRelease(spin, Qt::LeftButton, {}, arrow);
            // Released, the arrow under the pointer is hot again (or disabled at the end).
            const int released = upFrame == 3 ? 2 : downFrame == 7 ? 6 : 4;
            const QImage after = OnScreen(spin);
            QCOMPARE(FrameShown(after.pixel(arrow), kUpDown), released);
        }
    }

    // The thumb (normal, hot, pressed, disabled, focused) from the element for the track bar's
    // orientation, the one pointing at the ticks when the skin has it.
    void trackBarThumbFrames_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("element");
        QTest::addColumn<int>("frame");
        const int h = Qt::Horizontal, v = Qt::Vertical;
        QTest::newRow("normal") << "" << h << int(QSlider::NoTicks) << int(kThumbHorz) << 1;
        QTest::newRow("under the pointer") << "hot" << h << int(QSlider::NoTicks) << int(kThumbHorz) << 2;
        QTest::newRow("pointer gone again") << "hot left" << h << int(QSlider::NoTicks) << int(kThumbHorz) << 1;
        QTest::newRow("held") << "pressed" << h << int(QSlider::NoTicks) << int(kThumbHorz) << 3;
        QTest::newRow("disabled") << "disabled" << h << int(QSlider::NoTicks) << int(kThumbHorz) << 4;
        QTest::newRow("focused") << "focused" << h << int(QSlider::NoTicks) << int(kThumbHorz) << 5;
        QTest::newRow("upright") << "" << v << int(QSlider::NoTicks) << int(kThumbVert) << 1;
        QTest::newRow("upright, held") << "pressed" << v << int(QSlider::NoTicks) << int(kThumbVert) << 3;
        QTest::newRow("ticks below") << "" << h << int(QSlider::TicksBelow) << int(kThumbDown) << 1;
        // The skin has no thumb pointing up: the plain one stands in.
        QTest::newRow("ticks above") << "" << h << int(QSlider::TicksAbove) << int(kThumbHorz) << 1;
    }
    void trackBarThumbFrames()
    {
        QFETCH(QString, state);
        QFETCH(int, orientation);
        QFETCH(int, ticks);
        QFETCH(int, element);
        QFETCH(int, frame);
        form.LoadSkin(FieldSkin());
        auto* slider = new QSlider(Qt::Orientation(orientation));
        slider->setRange(0, 100);
        slider->setValue(50);
        slider->setTickPosition(QSlider::TickPosition(ticks));
        slider->setEnabled(!state.contains(u"disabled"));
        slider->resize(orientation == Qt::Horizontal ? QSize(160, 36) : QSize(36, 160));
        auto* other = new QLineEdit;
        QVERIFY(form.Show({other, slider}));
        other->setFocus();
        const QRect thumb = ElementArea(OnScreen(slider), element);
        QVERIFY(!thumb.isEmpty());
        if (state == u"focused")
            slider->setFocus();
        if (state.contains(u"hot"))
            PointAt(slider, thumb.center());
        if (state.contains(u"left"))
            form.PointAway();
        if (state == u"pressed")
            QTest::mousePress(slider, Qt::LeftButton, {}, thumb.center());
        QCOMPARE(FrameShown(OnScreen(slider).pixel(thumb.center()), element), frame);
        if (state == u"pressed")
            QTest::mouseRelease(slider, Qt::LeftButton, {}, thumb.center());
    }

    // The thumb stands where the value puts it (the minimum at the left, or at the right for
    // right to left, and at the bottom of an upright bar), is where the track bar takes the
    // mouse, and follows a drag.
    void trackBarThumbFollowsTheValue_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("along");
        const int h = Qt::Horizontal, v = Qt::Vertical;
        QTest::newRow("minimum") << h << false << 0 << 0.0;
        QTest::newRow("middle") << h << false << 50 << 0.5;
        QTest::newRow("maximum") << h << false << 100 << 1.0;
        QTest::newRow("right to left, minimum") << h << true << 0 << 1.0;
        QTest::newRow("right to left, a quarter") << h << true << 25 << 0.75;
        QTest::newRow("upright, minimum") << v << false << 0 << 1.0;
        QTest::newRow("upright, a quarter") << v << false << 25 << 0.75;
        QTest::newRow("upright, maximum") << v << false << 100 << 0.0;
    }
    void trackBarThumbFollowsTheValue()
    {
        QFETCH(int, orientation);
        QFETCH(bool, rightToLeft);
        QFETCH(int, value);
        QFETCH(double, along);
        form.LoadSkin(FieldSkin());
        const bool horizontal = orientation == Qt::Horizontal;
        auto* slider = new QSlider(Qt::Orientation(orientation));
        slider->setRange(0, 100);
        slider->setValue(value);
        slider->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        slider->resize(horizontal ? QSize(200, 36) : QSize(36, 200));
        QVERIFY(form.Show({slider}));
        const int element = horizontal ? kThumbHorz : kThumbVert;
        const QRect thumb = ElementArea(OnScreen(slider), element);
        QVERIFY(!thumb.isEmpty());
        const int length = horizontal ? thumb.width() : thumb.height();
        const int travel = (horizontal ? slider->width() : slider->height()) - length;
        const int centre = horizontal ? thumb.center().x() : thumb.center().y();
        QVERIFY2(qAbs(centre - (length / 2 + along * travel)) <= 6,
                 qPrintable(QStringLiteral("thumb centre at %1 of %2").arg(centre).arg(travel + length)));

        // Pressed where it is drawn, the track bar holds its thumb; the thumb follows the pointer.
        QTest::mousePress(slider, Qt::LeftButton, {}, thumb.center());
        QVERIFY(slider->isSliderDown());
        const int towardsMiddle = along > 0.5 ? -30 : 30;
        const QPoint dragged = thumb.center() + (horizontal ? QPoint(towardsMiddle, 0) : QPoint(0, towardsMiddle));
        QTest::mouseMove(slider, dragged);
        QVERIFY(slider->value() != value);
        const QRect moved = ElementArea(OnScreen(slider), element);
        QVERIFY2(qAbs((horizontal ? moved.center().x() - dragged.x() : moved.center().y() - dragged.y())) <= 2,
                 qPrintable(QStringLiteral("thumb at %1,%2").arg(moved.center().x()).arg(moved.center().y())));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, dragged);
    }
};

VELLOMAR_TEST_MAIN(SkinnedFieldControlsTest)
#include "test_skinned_field_controls.moc"
