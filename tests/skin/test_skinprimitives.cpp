#include "TestSupport.h"
#include "skin/ImageOperations.h"
#include "skin/SkinPrimitives.h"

#include <QPainter>

#include <limits>

namespace {

// Every pixel tells where it came from: red = x, green = y.
QImage Coded(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x, y, 7));
    return image;
}

QPoint Source(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return {qRed(p), qGreen(p)};
}

QImage Filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QRgb kMagenta = qRgb(255, 0, 255);
const QRgb kGround = qRgb(1, 2, 3);

} // namespace

class SkinPrimitivesTest : public QObject {
    Q_OBJECT

private slots:
    void frameSelection_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("stacked");
        QTest::addColumn<QRect>("expected");
        QTest::addRow("second-of-four") << 4 << 2 << false << QRect(10, 0, 10, 12);
        QTest::addRow("last-of-four") << 4 << 4 << false << QRect(30, 0, 10, 12);
        QTest::addRow("uneven-width") << 3 << 3 << false << QRect(26, 0, 13, 12);
        QTest::addRow("stacked-second-of-two") << 2 << 2 << true << QRect(0, 6, 40, 6);
        QTest::addRow("count-zero-is-one") << 0 << 1 << false << QRect(0, 0, 40, 12);
        QTest::addRow("frame-past-the-end") << 4 << 9 << false << QRect(30, 0, 10, 12);
        QTest::addRow("frame-zero") << 4 << 0 << false << QRect(0, 0, 10, 12);
    }
    void frameSelection()
    {
        QFETCH(int, count);
        QFETCH(int, frame);
        QFETCH(bool, stacked);
        QFETCH(QRect, expected);
        QCOMPARE(SkinFrameRect(Coded(40, 12), count, frame, stacked), expected);
    }

    // A target narrower than both margins stretches the whole frame width.
    void nineSliceDropsMarginsThatDoNotFit()
    {
        const QImage out = ComposeNineSlice(QSize(4, 10), Coded(8, 10), {3, 2, 3, 2}, false, false, 1, 1);
        QCOMPARE(out.size(), QSize(4, 10));
        for (int x = 0; x < 4; ++x)
            QCOMPARE(Source(out, x, 0), QPoint(2 * x, 0));
        // Top and bottom margins still fit and stay unscaled.
        QCOMPARE(Source(out, 0, 9), QPoint(0, 9));
        QCOMPARE(Source(out, 3, 8), QPoint(6, 8));
    }

    // Margins the description can give, however large or negative: the ones that cannot hold
    // are dropped in pairs, as margins that do not fit.
    void nineSliceMarginsFromTheFileNeverOverflow_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        constexpr int most = std::numeric_limits<int>::max();
        QTest::addRow("both-near-the-limit") << most - 1 << most - 1;
        QTest::addRow("one-at-the-limit") << most << 1;
        QTest::addRow("negative") << -5 << 0;
        QTest::addRow("most-negative") << std::numeric_limits<int>::min() << 3;
    }
    void nineSliceMarginsFromTheFileNeverOverflow()
    {
        QFETCH(int, left);
        QFETCH(int, right);
        const QImage image = Coded(8, 10);
        const QImage plain = ComposeNineSlice(QSize(16, 10), image, {0, 0, 0, 0}, false, false, 1, 1);
        QCOMPARE(ComposeNineSlice(QSize(16, 10), image, {left, 0, right, 0}, false, false, 1, 1), plain);
        QCOMPARE(ComposeNineSlice(QSize(8, 16), image, {0, left, 0, right}, false, false, 1, 1),
                 ComposeNineSlice(QSize(8, 16), image, {0, 0, 0, 0}, false, false, 1, 1));
        QImage drawn = Filled(16, 10, kGround), drawnPlain = drawn;
        {
            QPainter p(&drawn);
            DrawNineSliceBorder(p, Rect(0, 0, 16, 10), image, false, 1, 1, {left, 0, right, 0});
            QPainter q(&drawnPlain);
            DrawNineSliceBorder(q, Rect(0, 0, 16, 10), image, false, 1, 1, {0, 0, 0, 0});
        }
        QCOMPARE(drawn, drawnPlain);
    }

    void nineSlicePlacesEveryPart_data()
    {
        QTest::addColumn<QPoint>("target");
        QTest::addColumn<QPoint>("source");
        // Frame 10 × 10, margins left 3, top 2, right 4, bottom 1, target 30 × 20.
        QTest::addRow("top-left-corner") << QPoint(2, 1) << QPoint(2, 1);
        QTest::addRow("top-right-corner") << QPoint(26, 0) << QPoint(6, 0);
        QTest::addRow("bottom-left-corner") << QPoint(0, 19) << QPoint(0, 9);
        QTest::addRow("bottom-right-corner") << QPoint(29, 19) << QPoint(9, 9);
        QTest::addRow("top-edge-start") << QPoint(3, 0) << QPoint(3, 0);
        QTest::addRow("top-edge-end") << QPoint(25, 1) << QPoint(3 + 22 * 3 / 23, 1);
        QTest::addRow("left-edge") << QPoint(1, 18) << QPoint(1, 2 + 16 * 7 / 17);
        QTest::addRow("centre") << QPoint(14, 10) << QPoint(3 + 11 * 3 / 23, 2 + 8 * 7 / 17);
        QTest::addRow("right-edge") << QPoint(27, 2) << QPoint(7, 2);
        QTest::addRow("bottom-edge") << QPoint(20, 19) << QPoint(3 + 17 * 3 / 23, 9);
    }
    void nineSlicePlacesEveryPart()
    {
        QFETCH(QPoint, target);
        QFETCH(QPoint, source);
        const QImage out = ComposeNineSlice(QSize(30, 20), Coded(10, 10), {3, 2, 4, 1}, false, false, 1, 1);
        QCOMPARE(Source(out, target.x(), target.y()), source);
    }

    void nineSliceUsesTheChosenFrame()
    {
        const QImage out = ComposeNineSlice(QSize(20, 20), Coded(10, 20), {2, 2, 2, 2}, true, false, 2, 2);
        QCOMPARE(Source(out, 0, 0), QPoint(0, 10));
        QCOMPARE(Source(out, 19, 19), QPoint(9, 19));
    }

    void nineSliceTilesTheCentre()
    {
        // Frame 6 × 6 with 1-pixel margins: a 4 × 4 centre from (1, 1), repeated from (1, 1).
        const QImage out = ComposeNineSlice(QSize(12, 12), Coded(6, 6), {1, 1, 1, 1}, false, true, 1, 1);
        QCOMPARE(Source(out, 1, 1), QPoint(1, 1));
        QCOMPARE(Source(out, 5, 1), QPoint(1, 1));
        QCOMPARE(Source(out, 7, 6), QPoint(3, 2));
        QCOMPARE(Source(out, 10, 10), QPoint(2, 2));
        // The last tile overran; the right and bottom edges are drawn over it.
        QCOMPARE(Source(out, 11, 5), QPoint(5, 1 + 4 * 4 / 10));
        QCOMPARE(Source(out, 5, 11), QPoint(1 + 4 * 4 / 10, 5));
    }

    void borderLeavesTheCentre()
    {
        QImage target = Filled(40, 30, kGround);
        {
            QPainter p(&target);
            DrawNineSliceBorder(p, Rect(5, 4, 35, 24), Coded(10, 10), false, 1, 1, {3, 2, 4, 1});
        }
        QCOMPARE(Source(target, 5, 4), QPoint(0, 0));
        QCOMPARE(Source(target, 34, 23), QPoint(9, 9));
        QCOMPARE(Source(target, 6, 12), QPoint(1, 2 + (12 - 6) * 7 / 17));
        QCOMPARE(target.pixel(20, 12), kGround);
        QCOMPARE(target.pixel(4, 4), kGround);
        QCOMPARE(target.pixel(35, 24), kGround);
    }

    void skinFrameStretchesAndKeysOutMagenta()
    {
        QImage strip = Filled(8, 4, qRgb(200, 0, 0));
        for (int y = 0; y < 4; ++y)
            strip.setPixel(4, y, kMagenta); // first column of frame 2
        for (int y = 0; y < 4; ++y)
            strip.setPixel(5, y, qRgb(0, 200, 0));
        QImage target = Filled(20, 10, kGround);
        {
            QPainter p(&target);
            DrawSkinFrame(p, Rect(2, 2, 10, 6), strip, true, 2, 2);
            DrawSkinFrame(p, Rect(12, 2, 11, 6), strip, false, 2, 1); // inverted: nothing
        }
        QCOMPARE(target.pixel(2, 2), kGround);  // magenta column, doubled
        QCOMPARE(target.pixel(3, 5), kGround);
        QCOMPARE(target.pixel(4, 3), qRgb(0, 200, 0));
        QCOMPARE(target.pixel(9, 5), qRgb(200, 0, 0));
        QCOMPARE(target.pixel(10, 3), kGround);
        QCOMPARE(target.pixel(12, 2), kGround);

        QImage opaque = Filled(20, 10, kGround);
        {
            QPainter p(&opaque);
            DrawSkinFrame(p, Rect(2, 2, 10, 6), strip, false, 2, 2);
        }
        QCOMPARE(opaque.pixel(2, 2), kMagenta);
    }

    void transparentBlitIsClippedToTheRectangle()
    {
        QImage bitmap = Filled(6, 6, qRgb(9, 9, 9));
        bitmap.setPixel(0, 0, kMagenta);
        QImage target = Filled(10, 10, kGround);
        {
            QPainter p(&target);
            TransparentBlit(p, Rect(1, 1, 4, 4), bitmap);
        }
        QCOMPARE(target.pixel(1, 1), kGround);
        QCOMPARE(target.pixel(2, 1), qRgb(9, 9, 9));
        QCOMPARE(target.pixel(3, 3), qRgb(9, 9, 9));
        QCOMPARE(target.pixel(4, 4), kGround);
    }

    void tilesAreDrawnWhole()
    {
        QImage target = Filled(20, 20, kGround);
        {
            QPainter p(&target);
            TileImage(p, Rect(0, 0, 7, 5), Coded(10, 10), QRect(2, 3, 4, 4));
        }
        QCOMPARE(Source(target, 0, 0), QPoint(2, 3));
        QCOMPARE(Source(target, 5, 4), QPoint(3, 3));
        QCOMPARE(Source(target, 7, 7), QPoint(5, 6)); // the overrun of the last tile
        QCOMPARE(target.pixel(8, 0), kGround);
        QCOMPARE(target.pixel(0, 8), kGround);
    }

    void imageOperations_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("source");
        // A 3 × 2 coded image.
        QTest::addRow("mirror") << 0 << QSize(3, 2) << QPoint(0, 1) << QPoint(2, 1);
        QTest::addRow("flip") << 1 << QSize(3, 2) << QPoint(2, 0) << QPoint(2, 1);
        QTest::addRow("left-top-left-was-top-right") << 2 << QSize(2, 3) << QPoint(0, 0) << QPoint(2, 0);
        QTest::addRow("left-bottom-left-was-top-left") << 2 << QSize(2, 3) << QPoint(0, 2) << QPoint(0, 0);
        QTest::addRow("right-top-left-was-bottom-left") << 3 << QSize(2, 3) << QPoint(0, 0) << QPoint(0, 1);
        QTest::addRow("right-top-right-was-top-left") << 3 << QSize(2, 3) << QPoint(1, 0) << QPoint(0, 0);
    }
    void imageOperations()
    {
        QFETCH(int, operation);
        QFETCH(QSize, size);
        QFETCH(QPoint, at);
        QFETCH(QPoint, source);
        const QImage in = Coded(3, 2);
        const QImage out = std::array{MirrorImage, FlipImage, RotateImageLeft, RotateImageRight}[operation](in);
        QCOMPARE(out.size(), size);
        QCOMPARE(Source(out, at.x(), at.y()), source);
    }

    void greyscaleAveragesChannels()
    {
        QImage in(2, 1, QImage::Format_RGB888);
        in.setPixel(0, 0, qRgb(10, 20, 31));
        in.setPixel(1, 0, qRgb(255, 255, 254));
        const QImage out = GreyscaleImage(in);
        QCOMPARE(out.pixel(0, 0), qRgb(20, 20, 20));
        QCOMPARE(out.pixel(1, 0), qRgb(254, 254, 254));
    }
};

VELLOMAR_TEST_MAIN(SkinPrimitivesTest)
#include "test_skinprimitives.moc"
