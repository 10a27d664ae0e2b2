// Tabs, speed buttons and size grips drawn from a skin of solid frames: which frame each tab
// shows and which way its picture is turned on each side of the pages, a speed button's frames
// and glyph frames, and a grip's ridges in the corner the window is sized from.
#include "ControlSkinFixture.h"
#include "framework/Controls.h"

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QTabWidget>

namespace {

enum TElement { kTabs = 1, kButtons, kGlyph };

// The outer edge of every tab frame, the rows the TopHeight keeps.
const QRgb kTabEdge = qRgb(250, 250, 20);
const QRgb kPageBorder = qRgb(20, 120, 20);
const QRgb kGlyphKey = qRgb(255, 0, 255);
const QRgb kShadow = qRgb(200, 0, 0), kHilight = qRgb(0, 0, 200), kFace = qRgb(230, 230, 230);

// Tab frames of 24 × 20: the top 4 rows the edge, the rest the frame's colour.
QImage TabStrip()
{
    QImage strip(24 * 5, 20, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, y < 4 ? kTabEdge : FrameColour(kTabs, x / 24 + 1));
    return strip;
}

// Glyph frames of 16 × 16, each solid but for its bottom-left pixel: the colour that is clear.
QImage GlyphStrip(int count)
{
    QImage strip(16 * count, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, x % 16 == 0 && y == 15 ? kGlyphKey : FrameColour(kGlyph, x / 16 + 1));
    return strip;
}

QByteArray TabsAndButtonsSkin()
{
    TestSkin skin;
    skin.sections += "ButtonShadow=200 0 0\nButtonHilight=0 0 200\n";
    skin.sections += "[Tabs]\nImage=tabs.bmp\nBorder=border.bmp\nTopHeight=4\n";
    skin.pictures["tabs.bmp"] = TabStrip();
    skin.pictures["border.bmp"] = FrameStrip({12, 12}, {kPageBorder});
    skin.sections += "[Buttons]\nBitmap=buttons.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\nBottomHeight=3\n";
    skin.pictures["buttons.bmp"] =
        FrameStrip({12, 12},
                   {FrameColour(kButtons, 1), FrameColour(kButtons, 2), FrameColour(kButtons, 3),
                    FrameColour(kButtons, 4), FrameColour(kButtons, 5)});
    return skin.Package();
}

bool IsGrey(QRgb p)
{
    return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
}

} // namespace

class SkinnedTabsAndGripsTest : public QObject {
    Q_OBJECT

    ControlForm form;

private slots:
    void cleanup() { form.Close(); }

    // Tab frames: 1 normal, 2 hot, 3 selected, 4 disabled, 5 selected with the focus. The
    // picture's top is the tab's outer edge, away from the pages on every side; a tab set's
    // tabs hang below its pages. The page area gets the Border picture.
    void tabFrames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QList<int>>("frames");
        const QList<int> plain{3, 1, 4};
        QTest::newRow("above") << "pages" << int(QTabBar::RoundedNorth) << "" << plain;
        QTest::newRow("below") << "pages" << int(QTabBar::RoundedSouth) << "" << plain;
        QTest::newRow("left") << "pages" << int(QTabBar::RoundedWest) << "" << plain;
        QTest::newRow("right") << "pages" << int(QTabBar::RoundedEast) << "" << plain;
        QTest::newRow("tab set") << "tab set" << int(QTabBar::TriangularSouth) << "" << plain;
        QTest::newRow("focused") << "pages" << int(QTabBar::RoundedNorth) << "focused" << QList<int>{5, 1, 4};
        QTest::newRow("pointer on the second") << "pages" << int(QTabBar::RoundedNorth) << "hot" << QList<int>{3, 2, 4};
        QTest::newRow("left, pointer on the second")
            << "pages" << int(QTabBar::RoundedWest) << "hot" << QList<int>{3, 2, 4};
        QTest::newRow("pointer gone again") << "pages" << int(QTabBar::RoundedNorth) << "hot away" << plain;
        QTest::newRow("second clicked") << "pages" << int(QTabBar::RoundedNorth) << "click" << QList<int>{1, 3, 4};
        QTest::newRow("disabled") << "pages" << int(QTabBar::RoundedNorth) << "disabled" << QList<int>{4, 4, 4};
    }
    void tabFrames()
    {
        QFETCH(QString, control);
        QFETCH(int, shape);
        QFETCH(QString, state);
        QFETCH(QList<int>, frames);
        form.LoadSkin(TabsAndButtonsSkin());
        QTabBar* bar = nullptr;
        QWidget* shown = nullptr;
        QTabWidget* pages = nullptr;
        if (control == u"tab set") {
            bar = new TTabSet;
            for (const char* text : {"One", "Two", "Three"})
                bar->addTab(QString::fromLatin1(text));
            bar->resize(300, 30);
            shown = bar;
        } else {
            pages = new QTabWidget;
            for (const char* text : {"One", "Two", "Three"})
                pages->addTab(new QWidget, QString::fromLatin1(text));
            pages->setTabPosition(shape == QTabBar::RoundedSouth      ? QTabWidget::South
                                      : shape == QTabBar::RoundedWest ? QTabWidget::West
                                      : shape == QTabBar::RoundedEast ? QTabWidget::East
                                                                      : QTabWidget::North);
            pages->resize(300, 220);
            bar = pages->tabBar();
            shown = pages;
        }
        bar->setTabEnabled(2, false);
        shown->setEnabled(!state.contains(u"disabled"));
        auto* other = new QLineEdit;
        QVERIFY(form.Show({other, shown}));
        other->setFocus();
        QCOMPARE(int(bar->shape()), shape);
        if (state == u"focused") {
            bar->setFocus();
            QVERIFY(bar->hasFocus());
        }
        if (state.contains(u"hot"))
            PointAt(bar, bar->tabRect(1).center());
        if (state.contains(u"away"))
            form.PointAway();
        if (state == u"click") {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
            QCOMPARE(bar->currentIndex(), 1);
        }

        const bool upright = shape == QTabBar::RoundedWest || shape == QTabBar::RoundedEast;
        const QImage image = OnScreen(bar);
        for (int i = 0; i < 3; ++i) {
            const QRect tab = bar->tabRect(i);
            // Clear of the caption in the middle, and of the neighbours' overlap.
            const QPoint along = upright ? QPoint(0, tab.height() / 5) : QPoint(tab.width() / 5, 0);
            const QPoint start = upright ? QPoint(tab.center().x(), tab.top()) : QPoint(tab.left(), tab.center().y());
            QCOMPARE(FrameShown(image.pixel(start + along), kTabs, 5), frames[i]);
            // The edge at the side away from the pages, the frame's colour at the other.
            QPoint outer, inner;
            switch (shape) {
            case QTabBar::RoundedWest:
                outer = QPoint(tab.left() + 1, tab.top()), inner = QPoint(tab.right() - 1, tab.top());
                break;
            case QTabBar::RoundedEast:
                outer = QPoint(tab.right() - 1, tab.top()), inner = QPoint(tab.left() + 1, tab.top());
                break;
            case QTabBar::RoundedSouth:
            case QTabBar::TriangularSouth:
                outer = QPoint(tab.left(), tab.bottom() - 1), inner = QPoint(tab.left(), tab.top() + 1);
                break;
            default:
                outer = QPoint(tab.left(), tab.top() + 1), inner = QPoint(tab.left(), tab.bottom() - 1);
                break;
            }
            QCOMPARE(image.pixel(outer + along) & RGB_MASK, kTabEdge & RGB_MASK);
            QCOMPARE(FrameShown(image.pixel(inner + along), kTabs, 5), frames[i]);
        }
        if (pages) {
            // The corner of the page area farthest from the tabs.
            const QPoint corner(shape == QTabBar::RoundedEast ? 1 : pages->width() - 2,
                                shape == QTabBar::RoundedSouth ? 1 : pages->height() - 2);
            QCOMPARE(OnScreen(pages).pixel(corner) & RGB_MASK, kPageBorder & RGB_MASK);
        }
    }

    // A speed button shows frame 2 while it is down (held, or left down), 3 disabled, 4 hot;
    // its glyph frame 1 normal, 2 disabled, 3 down, as far as the glyph has them. Without a
    // disabled frame the glyph is greyed.
    void speedButtonFrames_data()
    {
        QTest::addColumn<int>("glyphs");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("glyphFrame");
        QTest::newRow("normal") << 3 << "" << 1 << 1;
        QTest::newRow("down") << 3 << "down" << 2 << 3;
        QTest::newRow("held by the mouse") << 3 << "held" << 2 << 3;
        QTest::newRow("disabled") << 3 << "disabled" << 3 << 2;
        QTest::newRow("under the pointer") << 3 << "hot" << 4 << 1;
        QTest::newRow("flat, pointer gone again") << 3 << "flat hot away" << 1 << 1;
        QTest::newRow("pointer gone again") << 3 << "hot away" << 1 << 1;
        QTest::newRow("one glyph, down") << 1 << "down" << 2 << 1;
        QTest::newRow("two glyphs, down") << 2 << "down" << 2 << 1;
        QTest::newRow("two glyphs, disabled") << 2 << "disabled" << 3 << 2;
        QTest::newRow("one glyph, disabled") << 1 << "disabled" << 3 << 0;
    }
    void speedButtonFrames()
    {
        QFETCH(int, glyphs);
        QFETCH(QString, state);
        QFETCH(int, frame);
        QFETCH(int, glyphFrame);
        form.LoadSkin(TabsAndButtonsSkin());
        auto* button = new TSpeedButton;
        button->SetGlyph(GlyphStrip(glyphs));
        button->SetNumGlyphs(glyphs);
        button->setAutoRaise(state.contains(u"flat"));
        button->setDown(state == u"down");
        button->setEnabled(!state.contains(u"disabled"));
        button->resize(40, 30);
        QVERIFY(form.Show({button}));
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        const QPoint middle = button->rect().center();
        if (state.contains(u"hot"))
            PointAt(button, middle);
        if (state.contains(u"away"))
            form.PointAway();
        if (state == u"held")
            QTest::mousePress(button, Qt::LeftButton, {}, middle);
        const QImage image = OnScreen(button);
        QCOMPARE(FrameShown(image.pixel(1, 1), kButtons, 5), frame);
        const QRgb glyph = image.pixel(middle);
        if (glyphFrame > 0)
            QCOMPARE(FrameShown(glyph, kGlyph, 3), glyphFrame);
        else
            QVERIFY2(IsGrey(glyph) && FrameShown(glyph, kButtons, 5) == 0, qPrintable(QColor(glyph).name()));
        if (state == u"held") {
            // The click stays the button's own.
            QCOMPARE(clicked.count(), 0);
            QTest::mouseRelease(button, Qt::LeftButton, {}, middle);
            QCOMPARE(clicked.count(), 1);
            QCOMPARE(FrameShown(OnScreen(button).pixel(1, 1), kButtons, 5), 1);
        }
    }

    // A dialog's size grip: ButtonFace with ridges in ButtonShadow and ButtonHilight, in the
    // corner the dialog is sized from (bottom right, or bottom left right to left).
    void sizeGripRidges_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("left to right") << false;
        QTest::newRow("right to left") << true;
    }
    void sizeGripRidges()
    {
        QFETCH(bool, rightToLeft);
        form.LoadSkin(TabsAndButtonsSkin());
        QDialog dialog;
        dialog.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        dialog.setSizeGripEnabled(true);
        dialog.resize(200, 120);
        QVERIFY(ShowAndWait(&dialog));
        auto* grip = dialog.findChild<QSizeGrip*>();
        QVERIFY(grip);
        QTRY_VERIFY(SkinnerFor(&dialog, grip));
        const QImage image = OnScreen(grip);
        int shadowLeft = 0, shadowRight = 0, hilight = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y) & RGB_MASK;
                QVERIFY2(p == (kFace & RGB_MASK) || p == (kShadow & RGB_MASK) || p == (kHilight & RGB_MASK),
                         qPrintable(QColor(p).name()));
                if (p == (kShadow & RGB_MASK))
                    ++(x < image.width() / 2 ? shadowLeft : shadowRight);
                hilight += p == (kHilight & RGB_MASK);
            }
        QVERIFY(hilight > 0);
        QVERIFY2(rightToLeft ? shadowLeft > shadowRight : shadowRight > shadowLeft,
                 qPrintable(QStringLiteral("%1 left, %2 right").arg(shadowLeft).arg(shadowRight)));
        // The top corner away from the sizing corner is plain face.
        QCOMPARE(image.pixel(rightToLeft ? image.width() - 1 : 0, 0) & RGB_MASK, kFace & RGB_MASK);
    }
};

VELLOMAR_TEST_MAIN(SkinnedTabsAndGripsTest)
#include "test_skinned_tabs_and_grips.moc"
