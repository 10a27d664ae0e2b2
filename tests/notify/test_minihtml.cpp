#include "HangGuard.h"
#include "TestSupport.h"
#include "framework/ImageList.h"
#include "notify/ColorNames.h"
#include "notify/Gradient.h"
#include "notify/MiniHTML.h"
#include "notify/NoticePictures.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

const QFont& BaseFont()
{
    static const QFont font = MakeFont(QStringLiteral("DejaVu Sans"), -11);
    return font;
}

int Gh(const QFont& font = BaseFont())
{
    return QFontMetrics(font).height();
}

int Advance(const QString& text, const QFont& font = BaseFont())
{
    return QFontMetrics(font).horizontalAdvance(text);
}

struct Rendering {
    QImage image;
    TMiniHTMLResults results;
    bool onAnchor = false;
};

// Draws on white with the base font in black, the layout at (10, 10).
Rendering Render(const QString& text, TMiniHTMLParams params = {}, int width = 400, int height = 200)
{
    Rendering out;
    out.image = QImage(width + 20, height + 20, QImage::Format_RGB32);
    out.image.fill(Qt::white);
    QPainter painter(&out.image);
    TCanvas canvas(&painter);
    canvas.Font = BaseFont();
    canvas.FontColor = clBlack;
    canvas.BrushColor = clWhite;
    out.onAnchor = DrawMiniHTML(canvas, text, {10, 10, 10 + width, 10 + height}, params, out.results);
    return out;
}

// Pixels of one colour inside a band of rows and columns.
int Count(const QImage& image, QRgb colour, int top, int bottom, int left = 0, int right = -1)
{
    if (right < 0)
        right = image.width();
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
        for (int x = std::max(0, left); x < std::min(right, image.width()); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// The rightmost and leftmost columns with a non-white pixel in a band of rows (-1 when none).
std::pair<int, int> InkColumns(const QImage& image, int top, int bottom)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

// The picture sources the popup passes: an image list, named pictures and the address cache.
struct PictureSources {
    TImageList list;
    TPictureContainer container;
    TNoticePictureCache cache;

    TMiniHTMLParams Params()
    {
        TMiniHTMLParams params;
        params.Images = &list;
        params.PictureContainer = &container;
        params.PictureCache = &cache;
        return params;
    }
};

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

} // namespace

class MiniHTMLTest : public QObject {
    Q_OBJECT

private slots:
    void newcomerNoticeGivesTwoStyledLines()
    {
        const QString notice =
            QStringLiteral("<B>Vellomar</B><br><FONT color=\"#FF0000\">Ann</FONT> has entered the chat.");
        const Rendering r = Render(notice);
        const int gh = Gh();
        QCOMPARE(r.results.ExtentHeight, 2 * gh);

        // First line: "Vellomar" in bold, black, nothing red.
        QFont bold = BaseFont();
        bold.setBold(true);
        const auto [first1, last1] = InkColumns(r.image, 10, 10 + gh);
        QVERIFY(first1 >= 11);
        QVERIFY2(last1 >= 11 + Advance(QStringLiteral("Vellomar")), "the first line is not wider than plain text");
        QVERIFY(last1 < 11 + Advance(QStringLiteral("Vellomar"), bold));
        QCOMPARE(Count(r.image, kRed, 10, 10 + gh), 0);

        // Second line: "Ann" red, then the rest in the base colour.
        const int annEnd = 11 + Advance(QStringLiteral("Ann"));
        QVERIFY(Count(r.image, kRed, 10 + gh, 10 + 2 * gh, 11, annEnd) > 10);
        QCOMPARE(Count(r.image, kRed, 10 + gh, 10 + 2 * gh, annEnd, r.image.width()), 0);
        QCOMPARE(Count(r.image, kBlack, 10 + gh, 10 + 2 * gh, 0, annEnd), 0);
        QVERIFY(Count(r.image, kBlack, 10 + gh, 10 + 2 * gh, annEnd, r.image.width()) > 50);
        QCOMPARE(r.results.ExtentWidth, Advance(QStringLiteral("Ann has entered the chat.")));
    }

    void entitiesBecomeTheirCharacters_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amp") << "a&amp;b" << "a&b";
        QTest::newRow("lt gt, no bold") << "x&lt;B&gt;y" << "x<B>y";
        QTest::newRow("quot") << "&quot;q&quot;" << "\"q\"";
        QTest::newRow("nbsp") << "a&nbsp;b" << "a b";
        QTest::newRow("euro") << "&euro;5" << QString(QChar(0x20AC)) + "5";
        QTest::newRow("trade") << "x&trade;" << "x" + QString(QChar(0x2122));
        QTest::newRow("mnemonic") << "a&b" << "ab";
        QTest::newRow("hash tag") << "a <#12> b" << "a #12 b";
        QTest::newRow("line feed removed") << "ab\ncd" << "abcd";
    }
    void entitiesBecomeTheirCharacters()
    {
        QFETCH(QString, markup);
        QFETCH(QString, shown);
        const Rendering r = Render(markup);
        QCOMPARE(r.results.ExtentWidth, Advance(shown));
        QCOMPARE(r.results.ExtentHeight, Gh());
    }

    void carriageReturnBreaksTheLine()
    {
        QCOMPARE(Render(QStringLiteral("ab\r\ncd")).results.ExtentHeight, 2 * Gh());
    }

    void wordWrap_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<int>("lines");
        QTest::newRow("word crossing the edge moves down") << "aaaa bbbb" << 2;
        QTest::newRow("glued word stays") << "aaaa<B>bbbb</B>" << 1;
        QTest::newRow("glued after a tag in a word") << "aa<I>aa</I>bbbb" << 1;
        QTest::newRow("break tag") << "a<BR>b" << 2;
        QTest::newRow("rule") << "a<HR>b" << 2;
    }
    void wordWrap()
    {
        QFETCH(QString, markup);
        QFETCH(int, lines);
        // Room for the first word and its space, not for the second.
        const int width = Advance(QStringLiteral("aaaa bb")) + 1;
        const Rendering r = Render(markup, {}, width);
        QCOMPARE(r.results.ExtentHeight, lines * Gh());
    }

    void withoutWordWrapThePieceBeyondTheEdgeEndsTheText()
    {
        TMiniHTMLParams params;
        params.WordWrap = false;
        const int width = Advance(QStringLiteral("aaaa")) + 2;
        const Rendering r = Render(QStringLiteral("aaaa <I>b</I><BR>cccc"), params, width);
        QCOMPARE(r.results.ExtentHeight, Gh());
    }

    void fontColourNeedsQuotes()
    {
        const Rendering r = Render(QStringLiteral("<FONT color=red>text</FONT>"));
        QCOMPARE(Count(r.image, kRed, 0, r.image.height()), 0);
        QVERIFY(Count(r.image, kBlack, 0, r.image.height()) > 10);
        const Rendering named = Render(QStringLiteral("<FONT color=\"clRed\">text</FONT>"));
        QVERIFY(Count(named.image, kRed, 0, named.image.height()) > 10);
    }

    void fontSizes_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("points");
        QTest::newRow("1") << "1" << 8;
        QTest::newRow("3") << "3" << 12;
        QTest::newRow("3 quoted") << "\"3\"" << 12;
        QTest::newRow("5") << "5" << 16;
        QTest::newRow("20 points") << "20" << 20;
        QTest::newRow("digits before junk") << "4px" << 14;
    }
    void fontSizes()
    {
        QFETCH(QString, size);
        QFETCH(int, points);
        const Rendering r = Render(QStringLiteral("<FONT size=%1>x</FONT>").arg(size));
        QFont expected = BaseFont();
        expected.setPixelSize(PointsToPixels(points));
        QCOMPARE(r.results.ExtentHeight, std::max(Gh(), Gh(expected)));
        QCOMPARE(r.results.ExtentWidth, Advance(QStringLiteral("x"), expected));
    }

    void listBulletsAtZeroAndTextAtTwelve()
    {
        const Rendering list = Render(QStringLiteral("<UL><LI>one<LI>two</UL>"));
        const int gh = Gh();
        QCOMPARE(list.results.ExtentHeight, 3 * gh);
        // The first line is the break of <UL>: empty.
        QCOMPARE(InkColumns(list.image, 10, 10 + gh).first, -1);
        const Rendering plain = Render(QStringLiteral("one"));
        for (int line = 1; line <= 2; ++line) {
            const int top = 10 + line * gh;
            const auto [first, last] = InkColumns(list.image, top, top + gh);
            QVERIFY2(first >= 11 && first < 11 + 12, "no bullet in the first 12 pixels");
            Q_UNUSED(last);
        }
        // The text of the first item is the plain text moved 12 px right.
        for (int y = 0; y < gh; ++y)
            for (int x = 11; x < 11 + Advance(QStringLiteral("one")); ++x)
                QCOMPARE(list.image.pixel(x + 12, 10 + gh + y), plain.image.pixel(x, 10 + y));
    }

    void hoverStyleUnderlinesOnlyTheHoveredAnchor()
    {
        const QString text = QStringLiteral("<A href=\"a\">one</A> <A href=\"b\">two</A>");
        const int split = 11 + Advance(QStringLiteral("one "));
        TMiniHTMLParams all;
        TMiniHTMLParams hoverSecond;
        hoverSecond.HoverStyle = true;
        hoverSecond.HoverAnchor = 2;
        const Rendering underlined = Render(text, all);
        const Rendering hovered = Render(text, hoverSecond);
        const int bottom = 10 + Gh();
        // Both anchors are blue either way.
        QVERIFY(Count(hovered.image, kBlue, 10, bottom, 0, split) > 10);
        QVERIFY(Count(hovered.image, kBlue, 10, bottom, split) > 10);
        // The first lost its underline, the second kept it.
        QVERIFY(Count(hovered.image, kBlue, 10, bottom, 0, split) < Count(underlined.image, kBlue, 10, bottom, 0, split));
        QCOMPARE(Count(hovered.image, kBlue, 10, bottom, split), Count(underlined.image, kBlue, 10, bottom, split));
        QCOMPARE(Count(hovered.image, kBlack, 10, bottom, 0, split), 0);
    }

    void hoveredAnchorTakesTheHoverColours()
    {
        const QString text = QStringLiteral("<A href=\"a\">one</A> <A href=\"b\">two</A>");
        const int split = 11 + Advance(QStringLiteral("one "));
        TMiniHTMLParams params;
        params.HoverStyle = true;
        params.HoverAnchor = 1;
        params.HoverBackColor = clYellow;
        params.HoverTextColor = clRed;
        const Rendering r = Render(text, params);
        const QRgb yellow = qRgb(255, 255, 0);
        QVERIFY(Count(r.image, yellow, 0, 200, 0, split) > 10);
        QVERIFY(Count(r.image, kRed, 0, 200, 0, split) > 10);
        QCOMPARE(Count(r.image, yellow, 0, 200, split), 0);
        QVERIFY(Count(r.image, kBlue, 0, 200, split) > 10);
    }

    void selectedKeepsTheTextColour()
    {
        TMiniHTMLParams params;
        params.Selected = true;
        const Rendering r = Render(QStringLiteral("<A href=\"a\">one</A><FONT color=\"#FF0000\">two</FONT>"), params);
        QCOMPARE(Count(r.image, kBlue, 0, r.image.height()), 0);
        QCOMPARE(Count(r.image, kRed, 0, r.image.height()), 0);
    }

    void styleTagsPaint_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<uint>("colour");
        QTest::newRow("shadow") << "<SHAD>shade</SHAD>" << uint(clGray);
        QTest::newRow("error zigzag") << "<E>wrong</E>" << uint(clRed);
        QTest::newRow("highlight") << "<HI>marked</HI>" << uint(clHighlight);
        QTest::newRow("font background") << "<FONT bgcolor=\"clYellow\">x</FONT>" << uint(clYellow);
        QTest::newRow("body background") << "<BODY bgcolor=\"clAqua\">x" << uint(clAqua);
        QTest::newRow("paragraph background") << "<P bgcolor=\"#00FF00\">x</P>" << uint(clLime);
        QTest::newRow("paragraph gradient start") << "<P bgcolor=\"clRed\" bgcolorto=\"clBlue\">x</P>" << uint(clRed);
    }
    void styleTagsPaint()
    {
        QFETCH(QString, markup);
        QFETCH(uint, colour);
        const Rendering r = Render(markup);
        QVERIFY(Count(r.image, ToQColor(colour).rgb(), 0, r.image.height()) > 3);
    }

    void bodyPictureTilesTheLayoutFromItsCorner()
    {
        QImage tile(3, 2, QImage::Format_RGB32);
        tile.fill(Qt::white);
        tile.setPixel(0, 0, kRed);
        TPictureContainer container;
        container.Add(QStringLiteral("tile"), tile);
        TMiniHTMLParams params;
        params.PictureContainer = &container;
        const Rendering r = Render(QStringLiteral("<BODY background=\"tile\">"), params, 30, 20);
        // A 30 x 20 layout at (10, 10): ten columns and ten rows of tiles, nothing outside.
        QCOMPARE(Count(r.image, kRed, 0, r.image.height()), 100);
        for (int y = 10; y < 30; y += 2)
            for (int x = 10; x < 40; x += 3)
                QCOMPARE(r.image.pixel(x, y), kRed);
    }

    void hiddenTextAndBlinking()
    {
        const Rendering hidden = Render(QStringLiteral("<Z>secret</Z>x"));
        QCOMPARE(hidden.results.ExtentWidth, Advance(QStringLiteral("x")));
        // Hidden text stays hidden past a line break: only "x" shows on the second line.
        const Rendering across = Render(QStringLiteral("<Z>a<BR>secret</Z>x"));
        const auto [first, last] = InkColumns(across.image, 10 + Gh(), 10 + 2 * Gh());
        QVERIFY(first >= 11);
        QVERIFY(last < 11 + Advance(QStringLiteral("x")));
        QCOMPARE(InkColumns(across.image, 10, 10 + Gh()).first, -1);
        TMiniHTMLParams off;
        off.BlinkOn = false;
        QCOMPARE(Count(Render(QStringLiteral("<BL>blink</BL>"), off).image, kBlack, 0, 200), 0);
        QVERIFY(Count(Render(QStringLiteral("<BL>blink</BL>")).image, kBlack, 0, 200) > 10);
    }

    void subscriptAndSuperscriptAddAQuarter_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::newRow("sub") << "a<SUB>2</SUB>";
        QTest::newRow("sup") << "a<SUP>2</SUP>";
    }
    void subscriptAndSuperscriptAddAQuarter()
    {
        QFETCH(QString, markup);
        QCOMPARE(Render(markup).results.ExtentHeight, Gh() + Gh() / 4);
    }

    void alignmentAndFocus()
    {
        // A right-aligned line ends at the right edge.
        const Rendering right = Render(QStringLiteral("<P align=\"right\">one two</P>"), {}, 200);
        const auto [first, last] = InkColumns(right.image, 10, 10 + Gh());
        QVERIFY2(last >= 205 && first <= 210 - Advance(QStringLiteral("one two")) + 1,
                 qPrintable(QStringLiteral("%1..%2").arg(first).arg(last)));
        TMiniHTMLParams focus;
        focus.FocusAnchor = 1;
        const Rendering focused = Render(QStringLiteral("<A href=\"a\">one</A> <A href=\"b\">two</A>"), focus);
        QCOMPARE(focused.results.FocusAnchorHref, QStringLiteral("b"));
    }

    void layoutStopsAtTheBottom()
    {
        const QString ten = QStringLiteral("1<BR>2<BR>3<BR>4<BR>5<BR>6<BR>7<BR>8<BR>9<BR>10");
        const int gh = Gh();
        QCOMPARE(Render(ten, {}, 100, gh * 7 / 2).results.ExtentHeight, 3 * gh);
        TMiniHTMLParams all;
        all.MeasureAll = true;
        QCOMPARE(Render(ten, all, 100, gh * 7 / 2).results.ExtentHeight, 10 * gh);
    }

    void emptyTextHasTheHeightOfOneLine()
    {
        const Rendering r = Render(QString());
        QCOMPARE(r.results.ExtentWidth, 0);
        QCOMPARE(r.results.ExtentHeight, Gh());
        QCOMPARE(r.results.AnchorUnderPointNumber, -1);
    }

    void trailingSpaceIsNotPartOfTheWidth()
    {
        QCOMPARE(Render(QStringLiteral("ab ")).results.ExtentWidth, Advance(QStringLiteral("ab")));
    }

    void hitTest_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("number");
        QTest::newRow("on the first anchor") << 2 << 0 << true << 1;
        QTest::newRow("on the second anchor") << -2 << 1 << true << 2;
        QTest::newRow("plain text") << -2 << 0 << false << -1;
        QTest::newRow("below the text") << 2 << 3 << false << -1;
    }
    void hitTest()
    {
        QFETCH(int, dx);
        QFETCH(int, line);
        QFETCH(bool, on);
        QFETCH(int, number);
        const QString text = QStringLiteral("<A href=\"first\">link</A> text<BR>more <A href=\"second\">here</A>");
        const int gh = Gh();
        TMiniHTMLParams params;
        params.MeasureOnly = true;
        // dx > 0: from the left of the line; dx < 0: from its right end.
        const int lineWidth = line == 0 ? Advance(QStringLiteral("link text")) : Advance(QStringLiteral("more here"));
        params.HitX = 11 + (dx > 0 ? dx : lineWidth + dx);
        params.HitY = 10 + line * gh + gh / 2;
        const Rendering r = Render(text, params);
        QCOMPARE(r.onAnchor, on);
        if (on) {
            QCOMPARE(r.results.AnchorUnderPointNumber, number);
            QCOMPARE(r.results.AnchorUnderPoint, number == 1 ? QStringLiteral("first") : QStringLiteral("second"));
            QVERIFY(r.results.AnchorUnderPointRect.Contains(params.HitX, params.HitY));
        }
        // Measuring draws nothing.
        QCOMPARE(InkColumns(r.image, 0, r.image.height()).first, -1);
        QCOMPARE(r.results.AnchorCount, 2);
    }

    void plainTextIsWhatShows_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("plain");
        QTest::newRow("newcomer notice")
            << "<B>Vellomar</B><br><FONT color=\"#FF0000\">Ann</FONT> has entered the chat."
            << "Vellomar\nAnn has entered the chat.";
        QTest::newRow("entities") << "a &amp; b &lt;c&gt; &quot;d&quot;&nbsp;&euro;"
                                  << "a & b <c> \"d\" " + QString(QChar(0x20AC));
        QTest::newRow("mnemonic as drawn") << "a&b" << "ab";
        QTest::newRow("hidden text") << "shown<Z> hidden</Z> again" << "shown again";
        QTest::newRow("tags alone") << "<B><I></I></B>" << "";
        QTest::newRow("carriage return") << "ab\r\ncd" << "ab\ncd";
        QTest::newRow("empty line between") << "x<BR><BR>y" << "x\n\ny";
        QTest::newRow("breaks at the end") << "x<BR><BR>" << "x";
        QTest::newRow("cut-off tag") << "a <B" << "a";
    }
    void plainTextIsWhatShows()
    {
        QFETCH(QString, markup);
        QFETCH(QString, plain);
        TMiniHTMLParams measuring;
        measuring.MeasureOnly = true;
        QCOMPARE(Render(markup, measuring).results.PlainText, plain);
        QCOMPARE(Render(markup).results.PlainText, plain);
    }

    void plainTextFollowsTheWrappedLines()
    {
        const QString words = QStringLiteral("one two three four five six");
        const QString plain = Render(words, {}, Advance(QStringLiteral("one two three"))).results.PlainText;
        QVERIFY(plain.count(u'\n') >= 1);
        QCOMPARE(plain.split(u'\n').join(u' '), words);
    }

    void anchorsAreListedWithTheirWordsAndPlaces()
    {
        const QString text = QStringLiteral("<A href=\"first\">link</A> text<BR>more <A href=\"second\"><B>here</B></A>"
                                            "<Z><A href=\"hidden\">gone</A></Z>");
        TMiniHTMLParams measuring;
        measuring.MeasureOnly = true;
        const TMiniHTMLResults results = Render(text, measuring).results;
        QCOMPARE(results.Anchors.size(), 3);
        QCOMPARE(results.Anchors[0].Href, QStringLiteral("first"));
        QCOMPARE(results.Anchors[0].Text, QStringLiteral("link"));
        QCOMPARE(results.Anchors[1].Href, QStringLiteral("second"));
        QCOMPARE(results.Anchors[1].Text, QStringLiteral("here"));
        QCOMPARE(results.Anchors[2].Href, QStringLiteral("hidden"));
        QVERIFY(results.Anchors[2].Text.isEmpty());
        QVERIFY(results.Anchors[2].Rect.IsEmpty());
        // Each shown anchor's place is where a hit test finds it.
        for (int i = 0; i < 2; ++i) {
            const TRect place = results.Anchors[i].Rect;
            TMiniHTMLParams hit = measuring;
            hit.HitX = (place.Left + place.Right) / 2;
            hit.HitY = (place.Top + place.Bottom) / 2;
            const Rendering r = Render(text, hit);
            QVERIFY(r.onAnchor);
            QCOMPARE(r.results.AnchorUnderPointNumber, i + 1);
            QCOMPARE(r.results.AnchorUnderPointRect, place);
        }
        // Drawing lists the same anchors.
        const TMiniHTMLResults drawn = Render(text).results;
        QCOMPARE(drawn.Anchors.size(), 3);
        QCOMPARE(drawn.Anchors[1].Rect, results.Anchors[1].Rect);
    }

    void images_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("image list") << "<IMG SRC=\"IDX:1\">" << 16 << 16;
        QTest::newRow("image list, index too high") << "<IMG SRC=\"idx:5\">" << 0 << 0;
        QTest::newRow("image list, index beyond any int") << "<IMG SRC=\"IDX:4294967296\">" << 0 << 0;
        QTest::newRow("image list, index of many digits") << "<IMG SRC=\"IDX:99999999999999999999\">" << 0 << 0;
        QTest::newRow("image list, index and junk") << "<IMG SRC=\"IDX:1x\">" << 0 << 0;
        QTest::newRow("container by name, any case") << "<IMG SRC=\"BIG\">" << 30 << 24;
        QTest::newRow("container, stretched") << "<IMG SRC=\"big\" WIDTH=\"10\" HEIGHT=\"40\">" << 10 << 40;
        QTest::newRow("missing name") << "<IMG SRC=\"nothing\">" << 0 << 0;
        QTest::newRow("file address") << "<IMG SRC=\"FILE://%1\">" << 12 << 20;
        QTest::newRow("file past the size cap") << "<IMG SRC=\"FILE://%1.big\">" << 0 << 0;
        QTest::newRow("FIFO is not waited on") << "<IMG SRC=\"FILE://%1.fifo\">" << 0 << 0;
        QTest::newRow("device is not read") << "<IMG SRC=\"FILE:///dev/zero\">" << 0 << 0;
        QTest::newRow("folder") << "<IMG SRC=\"FILE://%1.d\">" << 0 << 0;
        QTest::newRow("web address is not fetched") << "<IMG SRC=\"http://example.invalid/a.png\">" << 0 << 0;
        QTest::newRow("small shell icon") << "<IMG SRC=\"SSYS:0\">" << 16 << 16;
    }
    void images()
    {
        QFETCH(QString, markup);
        QFETCH(int, width);
        QFETCH(int, height);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pic.png"));
        QImage(12, 20, QImage::Format_RGB32).save(file);
        // The same picture followed by junk past the cap still decodes, were it read.
        QFile::copy(file, file + ".big");
        QFile big(file + ".big");
        QVERIFY(big.open(QIODevice::Append));
        QVERIFY(big.write(QByteArray(9 << 20, 'x')) == 9 << 20);
        big.close();
        QCOMPARE(::mkfifo(QFile::encodeName(file + ".fifo").constData(), 0600), 0);
        QVERIFY(QDir().mkdir(file + ".d"));
        HangGuard guard(QStringLiteral("images/%1").arg(QTest::currentDataTag()));
        PictureSources sources;
        for (int i = 0; i < 3; ++i)
            sources.list.Add(QImage(16, 16, QImage::Format_RGB32));
        sources.container.Add(QStringLiteral("big"), QImage(30, 24, QImage::Format_RGB32));
        const Rendering r = Render(markup.contains(u'%') ? markup.arg(file) : markup, sources.Params());
        // Addresses go into the cache whether they load or not.
        QCOMPARE(sources.cache.Count(), markup.contains(QStringLiteral("://")) ? 1 : 0);
        QCOMPARE(r.results.ExtentWidth, width);
        QCOMPARE(r.results.ExtentHeight, std::max(Gh(), height));
    }

    // Addresses come from other people's text: the cache keeps the latest ones only.
    void pictureCacheKeepsTheLatestAddresses()
    {
        TNoticePictureCache cache;
        TMiniHTMLParams params;
        params.PictureCache = &cache;
        QString text;
        for (int i = 0; i < 100; ++i)
            text += QStringLiteral("<IMG SRC=\"http://h/%1.png\">").arg(i);
        Render(text, params);
        QCOMPARE(cache.Count(), TNoticePictureCache::kMaxPictures);
        QVERIFY(cache.Find(QStringLiteral("http://h/99.png")));
        QVERIFY(!cache.Find(QStringLiteral("http://h/0.png")));
    }

    void colourNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("colour");
        QTest::newRow("red") << "clRed" << uint(0x0000FF);
        QTest::newRow("upper case") << "CLNAVY" << uint(0x800000);
        QTest::newRow("system") << "clBtnFace" << uint(0x8000000F);
        QTest::newRow("info background") << "clInfoBk" << uint(0x80000018);
        QTest::newRow("unknown is black") << "clPink" << uint(0);
        QTest::newRow("hex") << "#FF8000" << uint(0x0080FF);
        QTest::newRow("hex short pair counts 0") << "#FF80F" << uint(0x0080FF);
    }
    void colourNames()
    {
        QFETCH(QString, name);
        QFETCH(uint, colour);
        QCOMPARE(uint(name.startsWith(u'#') ? ParseHexColor(name) : ParseColorName(name)), colour);
    }

    void bandsRoundTiesToEven_data()
    {
        QTest::addColumn<uint>("start");
        QTest::addColumn<uint>("end");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<uint>("colour");
        QTest::newRow("2.5 goes to 2") << uint(0) << uint(5) << 1 << 2 << uint(2);
        QTest::newRow("7.5 goes to 8") << uint(0) << uint(15) << 1 << 2 << uint(8);
        QTest::newRow("falling") << uint(0xFFFFFF) << uint(0x00FFFF) << 20 << 40 << uint(0x7FFFFF);
        QTest::newRow("first band is the start") << uint(0x123456) << uint(0xFFFFFF) << 0 << 40 << uint(0x123456);
    }
    void bandsRoundTiesToEven()
    {
        QFETCH(uint, start);
        QFETCH(uint, end);
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(uint, colour);
        QCOMPARE(uint(BandColor(start, end, index, count)), colour);
    }

    void hostileTextNeverHangsOrCrashes_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::newRow("lone bracket") << "<";
        QTest::newRow("bracket and letter") << "ab<c";
        QTest::newRow("open tag without end") << "text <FONT color=\"#FF0000\" and more";
        QTest::newRow("brackets") << "<<<<<<>>>>";
        QTest::newRow("closing nothing") << "</>";
        QTest::newRow("huge size") << "<FONT size=99999999999>x";
        QTest::newRow("indent without number") << "<IND x>y<IND xx>z";
        QTest::newRow("nested entities") << "&amp;amp;amp;lt;";
        QTest::newRow("rotation") << "<R a720>turned</R>";
        QTest::newRow("deep lists") << "<UL><UL><UL><UL><LI><LI><LI></UL></UL></UL></UL></UL>";
        QTest::newRow("bullets in a narrow box") << "<UL><UL><UL><UL><UL><LI>word<LI>word";
        QTest::newRow("unclosed anchor") << "<A href=\"x\">link<A><A href=>";
        QTest::newRow("every style") << "<B><I><U><S><SHAD><E><HI><BL><Z>x</Z></HI></E></SHAD></S></U></I></B>";
        QTest::newRow("paragraph gradient") << "<P align=\"center\" bgcolor=\"clRed\" bgcolorto=\"#00FF00\">c</P>";
        QTest::newRow("body") << "<BODY background=\"nothing\" bgcolor=\"clYellow\">x";
        QTest::newRow("long word") << QString(5000, u'w');
        // Pictures that never loaded have no size to step by.
        QTest::newRow("body picture not fetched") << "<BODY BACKGROUND=\"http://example.invalid/x.png\">x";
        QTest::newRow("body picture of a missing resource") << "<body background=\"RES://missing\">x";
        QTest::newRow("body picture named but empty") << "<BODY background=\"blank\">x";
        // Positions far beyond the rectangle.
        QTest::newRow("error underline far right") << "<IND x2147483647><E>wrong</E>";
        QTest::newRow("focused anchor far right") << "<A href=\"a\"><IND x2000000000>x</A>";
        QTest::newRow("pictures wider than any line")
            << QStringLiteral("<A href=\"a\">") + QStringLiteral("<IMG SRC=\"wide\" WIDTH=\"1048576\" HEIGHT=\"1\">").repeated(2100);
        QTest::newRow("deep list bullets") << QStringLiteral("<UL>").repeated(5000) + QStringLiteral("<LI>x");
    }
    void hostileTextNeverHangsOrCrashes()
    {
        QFETCH(QString, markup);
        PictureSources sources;
        sources.list.Add(QImage(16, 16, QImage::Format_RGB32));
        sources.container.Add(QStringLiteral("blank"), QImage());
        sources.container.Add(QStringLiteral("wide"), QImage(4, 4, QImage::Format_RGB32));
        TMiniHTMLParams params = sources.Params();
        params.FocusAnchor = 0;
        HangGuard guard(QStringLiteral("hostileTextNeverHangsOrCrashes/%1").arg(QTest::currentDataTag()));
        for (const bool measureOnly : {false, true}) {
            params.MeasureOnly = measureOnly;
            const Rendering r = Render(markup, params, 40, 100);
            QVERIFY(r.results.ExtentHeight > 0);
            QVERIFY(r.results.ExtentWidth >= 0);
        }
    }

    void randomMarkupNeverHangsOrCrashes()
    {
        static const QStringList parts = {"<", ">", "</", "A", "B", "<BR>", "<LI>", "<UL>", "</UL>", "<IMG SRC=\"IDX:0\">",
                                          "&", "&amp;", "&lt;", " ", "word", "\"", "<FONT ", "size=", "<P ", "<IND x5>",
                                          "<#", "\r", "\n", "<SUB>", "<SUP>", "</SU>", "<A href=\"h\">", "</A>", "<Z>",
                                          "<BODY background=\"RES://none\">", "<BODY background=\"http://h/b.png\">",
                                          "<IMG SRC=\"http://h/i.png\">", "<E>", "<IND x99999>"};
        QRandomGenerator random(20251208);
        TImageList list;
        list.Add(QImage(16, 16, QImage::Format_RGB32));
        TNoticePictureCache cache;
        HangGuard guard(QStringLiteral("randomMarkupNeverHangsOrCrashes"), std::chrono::seconds(60));
        for (int run = 0; run < 300; ++run) {
            QString text;
            const int n = random.bounded(1, 40);
            for (int i = 0; i < n; ++i)
                text += parts[random.bounded(int(parts.size()))];
            TMiniHTMLParams params;
            params.Images = &list;
            params.PictureCache = &cache;
            params.FocusAnchor = random.bounded(-1, 3);
            params.WordWrap = random.bounded(2) == 0;
            params.HitX = random.bounded(60);
            params.HitY = random.bounded(60);
            params.MeasureOnly = random.bounded(2) == 0;
            const Rendering r = Render(text, params, random.bounded(0, 80), random.bounded(0, 80));
            QVERIFY2(r.results.ExtentHeight > 0, qPrintable(text));
        }
    }
};

VELLOMAR_TEST_MAIN(MiniHTMLTest)
#include "test_minihtml.moc"
