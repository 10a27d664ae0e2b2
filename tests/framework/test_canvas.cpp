#include "framework/Canvas.h"

#include <QPainter>
#include <QTest>

namespace {

// The rows and columns that hold ink (non-white pixels).
struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
};

Ink FindInk(const QImage& image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

QImage WhiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QFont TestFont() { return MakeFont(QStringLiteral("DejaVu Sans"), -11); }

} // namespace

class CanvasTest : public QObject {
    Q_OBJECT

private slots:
    void calcRectMeasuresVisibleText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<int>("lines");
        QTest::newRow("mnemonic is not measured") << "&File" << unsigned(DT_SINGLELINE) << "File" << 1;
        QTest::newRow("double ampersand is one") << "a&&b" << unsigned(DT_SINGLELINE) << "a&b" << 1;
        QTest::newRow("no prefix keeps ampersands") << "a&&b" << unsigned(DT_SINGLELINE | DT_NOPREFIX) << "a&&b" << 1;
        QTest::newRow("line breaks make lines") << "one\r\ntwo\nthree" << 0u << "three" << 3;
        QTest::newRow("single line ignores breaks") << "one\ntwo" << unsigned(DT_SINGLELINE) << "one\ntwo" << 1;
    }
    void calcRectMeasuresVisibleText()
    {
        QFETCH(QString, text);
        QFETCH(unsigned, flags);
        QFETCH(QString, visible);
        QFETCH(int, lines);
        QImage image = WhiteImage(200, 100);
        QPainter painter(&image);
        TCanvas canvas(&painter);
        canvas.Font = TestFont();
        TRect r{10, 20, 190, 90};
        const int height = canvas.DrawText(text, r, flags | DT_CALCRECT);
        const int lineHeight = canvas.TextHeight(QStringLiteral("X"));
        QCOMPARE(height, lines * lineHeight);
        QCOMPARE(r.Bottom, 20 + lines * lineHeight);
        if (lines == 1)
            QCOMPARE(r.Width(), canvas.TextWidth(visible));
        painter.end();
        QVERIFY2(FindInk(image).Empty(), "measuring must not draw");
    }

    void wordBreakWrapsAtSpaces()
    {
        QImage image = WhiteImage(300, 200);
        QPainter painter(&image);
        TCanvas canvas(&painter);
        canvas.Font = TestFont();
        const int word = canvas.TextWidth(QStringLiteral("alpha beta"));
        TRect r{0, 0, word + 2, 200};
        const int height = canvas.DrawText(QStringLiteral("alpha beta alpha beta"), r, DT_WORDBREAK | DT_CALCRECT);
        QCOMPARE(height, 2 * canvas.TextHeight(QStringLiteral("X")));
        QVERIFY(r.Width() <= word + 2);
    }

    void verticalPlacementOfSingleLine_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<int>("cellTop"); // offset of the text cell from the rectangle's top
        const int rectHeight = 60;
        const int lineHeight = QFontMetrics(TestFont()).height();
        QTest::newRow("top") << unsigned(DT_SINGLELINE) << 0;
        QTest::newRow("bottom") << unsigned(DT_SINGLELINE | DT_BOTTOM) << rectHeight - lineHeight;
        QTest::newRow("centre") << unsigned(DT_SINGLELINE | DT_VCENTER) << (rectHeight - lineHeight) / 2;
    }
    void verticalPlacementOfSingleLine()
    {
        QFETCH(unsigned, flags);
        QFETCH(int, cellTop);
        QImage image = WhiteImage(200, 100);
        {
            QPainter painter(&image);
            TCanvas canvas(&painter);
            canvas.Font = TestFont();
            canvas.FontColor = clBlack;
            canvas.BrushColor = clYellow; // opaque background shows the text cell exactly
            TRect r{10, 20, 190, 80};
            canvas.DrawText(QStringLiteral("Hello"), r, flags);
        }
        const Ink ink = FindInk(image);
        QVERIFY(!ink.Empty());
        QCOMPARE(ink.top, 20 + cellTop);
        QCOMPARE(ink.bottom, 20 + cellTop + QFontMetrics(TestFont()).height() - 1);
    }

    void endEllipsisStaysInsideAndShowsDots()
    {
        QImage image = WhiteImage(200, 40);
        QPainter painter(&image);
        TCanvas canvas(&painter);
        canvas.Font = TestFont();
        TRect r{0, 0, 60, 20};
        canvas.DrawText(QStringLiteral("a rather long caption that cannot fit"), r,
                        DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
        QVERIFY(r.Width() <= 60);
        QVERIFY(r.Width() >= canvas.TextWidth(QStringLiteral("...")));
    }

    void mnemonicIsUnderlined()
    {
        auto draw = [](const QString& text, unsigned flags) {
            QImage image = WhiteImage(100, 30);
            QPainter painter(&image);
            TCanvas canvas(&painter);
            canvas.Font = TestFont();
            canvas.BrushStyle = bsClear;
            TRect r{0, 0, 100, 30};
            canvas.DrawText(text, r, DT_SINGLELINE | flags);
            painter.end();
            return FindInk(image);
        };
        const Ink plain = draw(QStringLiteral("x"), 0);
        const Ink marked = draw(QStringLiteral("&x"), 0);
        const Ink hidden = draw(QStringLiteral("&x"), DT_HIDEPREFIX);
        QVERIFY2(marked.bottom > plain.bottom, "the marked letter carries an underline");
        QCOMPARE(hidden.bottom, plain.bottom);
    }

    void centredTextIsCentred()
    {
        QImage image = WhiteImage(200, 30);
        {
            QPainter painter(&image);
            TCanvas canvas(&painter);
            canvas.Font = TestFont();
            canvas.BrushColor = clBlack;
            TRect r{0, 0, 200, 30};
            canvas.DrawText(QStringLiteral("mid"), r, DT_SINGLELINE | DT_CENTER);
        }
        const Ink ink = FindInk(image);
        const int width = QFontMetrics(TestFont()).horizontalAdvance(QStringLiteral("mid"));
        QCOMPARE(ink.left, (200 - width) / 2);
    }

    void rectanglesExcludeRightAndBottom()
    {
        QImage image = WhiteImage(20, 20);
        {
            QPainter painter(&image);
            TCanvas canvas(&painter);
            canvas.PenColor = clBlack;
            canvas.BrushColor = clRed;
            canvas.Rectangle({2, 2, 10, 10});
            canvas.MoveTo(0, 15);
            canvas.LineTo(5, 15);
        }
        QCOMPARE(image.pixel(2, 2), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(9, 9), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(10, 10), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(4, 15), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(5, 15), qRgb(255, 255, 255));
    }

    void coloursResolve_data()
    {
        QTest::addColumn<TColor>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red is the low byte") << TColor(0x0000FF) << QColor(255, 0, 0);
        QTest::newRow("navy") << clNavy << QColor(0, 0, 128);
        QTest::newRow("button face") << clBtnFace << QColor(240, 240, 240);
        QTest::newRow("window text") << clWindowText << QColor(0, 0, 0);
        QTest::newRow("upper byte ignored") << TColor(0x02123456) << QColor(0x56, 0x34, 0x12);
    }
    void coloursResolve()
    {
        QFETCH(TColor, color);
        QFETCH(QColor, expected);
        QCOMPARE(ToQColor(color), expected);
    }

    void noneColourPaintsNothing()
    {
        QImage image = WhiteImage(10, 10);
        {
            QPainter painter(&image);
            TCanvas canvas(&painter);
            canvas.BrushColor = clNone;
            canvas.FillRect({0, 0, 10, 10});
        }
        QVERIFY(FindInk(image).Empty());
    }
};

QTEST_MAIN(CanvasTest)
#include "test_canvas.moc"
