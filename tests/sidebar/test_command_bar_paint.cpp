// How the bar paints: gradient bands, the hover box and selection, captions, and which changes
// make it paint again.
#include "BarFixture.h"
#include "TestSupport.h"
#include "sidebar/GradientFill.h"

#include <QPainter>

#include <functional>

namespace {

QImage Fill(QSize size, TColor start, TColor end, int steps, TGradientDirection direction)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    GradientFill(canvas, start, end, steps, direction, {0, 0, size.width(), size.height()});
    return image;
}

// Dark pixels (caption ink) in rows top..bottom-1 of the bar.
QList<int> InkedRows(const QImage& shot, int top, int bottom)
{
    QList<int> rows;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qGray(shot.pixel(x, y)) < 100) {
                rows.append(y);
                break;
            }
    return rows;
}

struct Mutation {
    const char* name;
    std::function<void(TCommandBar&)> change;
    bool repaints;
};

const QList<Mutation>& Mutations()
{
    static const QList<Mutation> list{
        {"item caption", [](TCommandBar& b) { Panel0(b)->Items[1]->SetCaption(QStringLiteral("New")); }, true},
        {"same item caption", [](TCommandBar& b) { Panel0(b)->Items[1]->SetCaption(QStringLiteral("Item 1")); }, false},
        {"item icon", [](TCommandBar& b) { Panel0(b)->Items[0]->SetIcon(QImage()); }, true},
        {"item visibility", [](TCommandBar& b) { Panel0(b)->Items[2]->SetVisible(false); }, true},
        {"item added", [](TCommandBar& b) { Panel0(b)->Items.Add(); }, true},
        {"item removed", [](TCommandBar& b) { Panel0(b)->Items.Delete(3); }, true},
        {"removing nothing", [](TCommandBar& b) { Panel0(b)->Items.Delete(9); }, false},
        {"gradient start", [](TCommandBar& b) { Panel0(b)->SetGradientStart(clYellow); }, true},
        {"item height", [](TCommandBar& b) { Panel0(b)->SetItemHeight(40); }, true},
        {"top item", [](TCommandBar& b) { Panel0(b)->SetTopItem(1); }, true},
        {"panel added", [](TCommandBar& b) { b.Panels.Add(); }, true},
        {"caption height", [](TCommandBar& b) { b.PanelCaption.SetHeight(20); }, true},
        {"help area", [](TCommandBar& b) { b.HelpPanel.SetVisible(true); }, true},
        {"top panel", [](TCommandBar& b) { b.SetTopPanel(1); }, true},
        {"same top panel", [](TCommandBar& b) { b.SetTopPanel(0); }, false},
    };
    return list;
}

} // namespace

class CommandBarPaintTest : public QObject {
    Q_OBJECT

private slots:
    void gradientBands_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("endBlue");
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("blue");
        // 40 one-pixel bands from blue 0 to 60: band i has blue nearest(1.5 i), halves to even.
        QTest::newRow("band 1: 1.5 to 2") << QSize(10, 40) << 60 << 40 << true << QPoint(5, 1) << 2;
        QTest::newRow("band 3: 4.5 to 4") << QSize(10, 40) << 60 << 40 << true << QPoint(5, 3) << 4;
        QTest::newRow("band 5: 7.5 to 8") << QSize(10, 40) << 60 << 40 << true << QPoint(5, 5) << 8;
        QTest::newRow("band 39: the end is never reached") << QSize(10, 40) << 60 << 40 << true << QPoint(5, 39) << 58;
        QTest::newRow("horizontal bands") << QSize(40, 10) << 60 << 40 << false << QPoint(3, 9) << 4;
        QTest::newRow("no steps means one band") << QSize(10, 40) << 60 << 0 << true << QPoint(5, 39) << 0;
    }
    void gradientBands()
    {
        QFETCH(QSize, size);
        QFETCH(int, endBlue);
        QFETCH(int, steps);
        QFETCH(bool, vertical);
        QFETCH(QPoint, at);
        QFETCH(int, blue);
        const QImage image = Fill(size, RGB(10, 20, 0), RGB(10, 20, endBlue), steps, vertical ? gdVertical : gdHorizontal);
        QCOMPARE(image.pixelColor(at), QColor(10, 20, blue));
    }

    void gradientBandsLeaveNoGap_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("steps");
        QTest::newRow("2.5-pixel bands") << 10 << 4;
        QTest::newRow("design panel") << 492 << 60;
        QTest::newRow("more bands than pixels") << 30 << 60;
    }
    void gradientBandsLeaveNoGap()
    {
        QFETCH(int, height);
        QFETCH(int, steps);
        const QImage image = Fill(QSize(3, height), clBlack, clWhite, steps, gdVertical);
        for (int y = 0; y < height; ++y)
            QVERIFY2(image.pixelColor(1, y) != QColor(Qt::magenta), qPrintable(QString::number(y)));
    }

    void hoverBoxFollowsThePanelSettings_data()
    {
        QTest::addColumn<bool>("fullWidth");
        QTest::addColumn<TColor>("hoverColor");
        QTest::addColumn<QRect>("box"); // empty: no box
        QTest::newRow("full row") << true << clWhite << QRect(QPoint(0, 54), QPoint(120, 108));
        QTest::newRow("around the icon") << false << clWhite << QRect(QPoint(42, 54), QPoint(77, 90));
        QTest::newRow("no hover colour") << true << clNone << QRect();
    }
    void hoverBoxFollowsThePanelSettings()
    {
        QFETCH(bool, fullWidth);
        QFETCH(TColor, hoverColor);
        QFETCH(QRect, box);
        auto bar = MakeBar(492);
        TCommandPanel* panel = Panel0(*bar);
        panel->SetColor(clSilver);
        panel->SetHoverFullWidth(fullWidth);
        panel->SetHoverIconColor(hoverColor);
        panel->SetHoverIconBorderColor(clNavy);
        PointAt(bar.get(), QPoint(60, 80));
        const QImage shot = bar->grab().toImage();
        const QColor border = ToQColor(clNavy);
        if (box.isNull()) {
            QCOMPARE(shot.pixelColor(5, 56), ToQColor(clSilver));
            QVERIFY(!bar->HoveredItem());
            return;
        }
        QCOMPARE(bar->HoveredItem(), panel->Items[1]);
        QCOMPARE(shot.pixelColor(box.topLeft()), border);
        QCOMPARE(shot.pixelColor(box.bottomRight()), border);
        QCOMPARE(shot.pixelColor(box.left() + 1, box.top() + 1), QColor(Qt::white));
        if (box.left() > 0)
            QCOMPARE(shot.pixelColor(box.left() - 1, box.top() + 1), ToQColor(clSilver));
        QCOMPARE(shot.pixelColor(box.left() + 1, box.bottom() + 1), ToQColor(clSilver));
    }

    void selectedItemIsFilledAndFramed()
    {
        auto bar = MakeBar(492);
        TCommandPanel* panel = Panel0(*bar);
        panel->SetItemIndex(2);
        panel->SetSelectColor(clYellow);
        panel->SetSelectBorderColor(clRed);
        PointAt(bar.get(), QPoint(60, 400));
        const QImage shot = bar->grab().toImage();
        QCOMPARE(shot.pixelColor(0, 108), ToQColor(clRed));
        QCOMPARE(shot.pixelColor(120, 162), ToQColor(clRed));
        QCOMPARE(shot.pixelColor(5, 120), ToQColor(clYellow));
        QCOMPARE(shot.pixelColor(5, 60), QColor(Qt::white));
    }

    void captionsStayOnOneLineUnlessWrapped_data()
    {
        QTest::addColumn<bool>("wrap");
        QTest::newRow("one line with an ellipsis") << false;
        QTest::newRow("word wrap") << true;
    }
    void captionsStayOnOneLineUnlessWrapped()
    {
        QFETCH(bool, wrap);
        auto bar = MakeBar(492, 1, 100);
        TCommandPanel* panel = Panel0(*bar);
        panel->SetFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        panel->SetWordWrap(wrap);
        panel->Items[0]->SetCaption(QStringLiteral("A caption far too long for the row of this bar"));
        PointAt(bar.get(), QPoint(60, 400));
        const QImage shot = bar->grab().toImage();
        const QList<int> rows = InkedRows(shot, 35, 100);
        QVERIFY(!rows.isEmpty());
        const int lineHeight = QFontMetrics(panel->Font()).height();
        if (wrap)
            QVERIFY(rows.last() - rows.first() > lineHeight);
        else
            QVERIFY(rows.last() - rows.first() < lineHeight);
    }

    void noVisiblePanelPaintsThePlainBackground()
    {
        auto bar = MakeBar(200);
        bar->SetColor(clTeal);
        Panel0(*bar)->SetVisible(false);
        const QImage shot = bar->grab().toImage();
        QCOMPARE(shot.pixelColor(60, 27), ToQColor(clTeal));
        QCOMPARE(shot.pixelColor(60, 150), ToQColor(clTeal));
        QVERIFY(!bar->ItemAtPress(QPoint(60, 27)));
    }

    void changesRepaintTheBar_data()
    {
        QTest::addColumn<int>("mutation");
        for (int i = 0; i < Mutations().size(); ++i)
            QTest::newRow(Mutations()[i].name) << i;
    }
    void changesRepaintTheBar()
    {
        QFETCH(int, mutation);
        auto bar = MakeBar(300);
        bar->Panels.Add();
        QTest::qWait(20);
        PaintLog log(bar.get());
        Mutations()[mutation].change(*bar);
        QTest::qWait(20);
        QCOMPARE(log.paints > 0, Mutations()[mutation].repaints);
    }
};

VELLOMAR_TEST_MAIN(CommandBarPaintTest)
#include "test_command_bar_paint.moc"
