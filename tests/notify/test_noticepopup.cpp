#include "TestSupport.h"
#include "framework/Canvas.h"
#include "notify/Gradient.h"
#include "notify/MiniHTML.h"
#include "notify/NoticePopup.h"
#include "notify/NoticePopupAccessible.h"
#include "notify/SlideEnvironment.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWidget>

#include <functional>

namespace {

// A 1280 x 994 work area; every wait records where the window is and may run a handler, as a
// timer or a page call would inside the real wait.
class RecordingSlides : public SlideEnvironment {
public:
    RecordingSlides() : previous_(SlideEnvironment::Install(this)) {}
    ~RecordingSlides() override { SlideEnvironment::Install(previous_); }

    QRect WorkArea() const override { return QRect(0, 0, 1280, 994); }
    void Wait(int ms) override
    {
        waits.append(ms);
        tops.append(window && *window ? (*window)->y() : -1);
        if (duringWait && waits.size() > handlerAfterWaits) {
            auto handler = std::move(duringWait);
            duringWait = nullptr;
            handler();
        }
    }

    QList<int> waits;
    QList<int> tops;
    TNoticePopupWindow* const* window = nullptr;
    std::function<void()> duringWait; // runs once, inside the first wait after handlerAfterWaits
    int handlerAfterWaits = 0;

private:
    SlideEnvironment* previous_;
};

// A popup of a fixed 150 x 40, on its own owner window.
struct FixedPopup {
    QWidget owner;
    TNoticePopup popup{&owner};
    TNoticePopupWindow* window = nullptr;

    FixedPopup()
    {
        popup.PopupWidth = 150;
        popup.PopupHeight = 40;
        popup.SetFont(MakeFont(QStringLiteral("DejaVu Sans"), -11));
        popup.SetText({QStringLiteral("hello")});
    }
};

// A shown popup of one text line that records the anchor clicks it reports.
struct ClickablePopup {
    QWidget owner;
    TNoticePopup popup{&owner};
    QObject* sender = nullptr;
    QStringList clicked;

    ClickablePopup(const QString& text, int width)
    {
        popup.PopupWidth = width;
        popup.PopupHeight = 60;
        popup.SetFont(MakeFont(QStringLiteral("DejaVu Sans"), -11));
        popup.SetText({text});
        popup.OnAnchorClick = [this](QObject* Sender, const QString& anchor) {
            sender = Sender;
            clicked << anchor;
        };
        popup.ShowPopup();
    }
};

} // namespace

class NoticePopupTest : public QObject {
    Q_OBJECT

private slots:
    void openSlidesInFromTheBottomRight()
    {
        RecordingSlides slides;
        FixedPopup f;
        slides.window = &f.window;
        f.popup.PrepareWindow();
        f.window = f.popup.Window();
        f.popup.OpenPopup();
        QCOMPARE(f.window->x(), 1110);
        QCOMPARE(f.window->y(), 954);
        QCOMPARE(slides.tops, (QList<int>{994, 974}));
        QCOMPARE(slides.waits, (QList<int>{50, 50}));
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.popup.PopupLeft, 1110);
        QCOMPARE(f.popup.PopupTop, 994);
    }

    void closeSlidesOutAndHides()
    {
        RecordingSlides slides;
        FixedPopup f;
        f.popup.OpenPopup();
        f.window = f.popup.Window();
        slides.window = &f.window;
        slides.tops.clear();
        f.popup.ClosePopup();
        QCOMPARE(slides.tops, (QList<int>{954, 974}));
        QVERIFY(!f.window->isVisible());
    }

    void closeBeforeAnyWindowDoesNothing()
    {
        RecordingSlides slides;
        FixedPopup f;
        f.popup.ClosePopup();
        QVERIFY(f.popup.Window() == nullptr);
        QVERIFY(slides.waits.isEmpty());
    }

    void openInsideAnOpenSlideEndsInPlaceWithTheNewText()
    {
        RecordingSlides slides;
        FixedPopup f;
        slides.duringWait = [&] {
            f.popup.SetText({QStringLiteral("second")});
            f.popup.OpenPopup();
        };
        slides.handlerAfterWaits = 1;
        f.popup.PrepareWindow();
        f.window = f.popup.Window();
        slides.window = &f.window;
        f.popup.OpenPopup();
        QCOMPARE(f.popup.Window()->y(), 954);
        QCOMPARE(f.popup.Window()->WindowText(), QStringLiteral("second"));
        QVERIFY(f.popup.Window()->isVisible());
        // The second call put it back at the bottom; the one slide took it up from there.
        QCOMPARE(slides.tops, (QList<int>{994, 974, 974}));
    }

    void manyOpensInsideTheSlideShareItsWaits()
    {
        RecordingSlides slides;
        FixedPopup f;
        slides.duringWait = [&] {
            for (int i = 0; i < 1000; ++i)
                f.popup.OpenPopup();
        };
        f.popup.OpenPopup();
        QCOMPARE(slides.waits.size(), 2);
        QCOMPARE(f.popup.Window()->y(), 954);
    }

    void autoHideInsideTheSlideStillEndsHidden()
    {
        RecordingSlides slides;
        FixedPopup f;
        f.popup.AutoHide = true;
        f.popup.OpenPopup();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.popup.Window(), &leave);
        QVERIFY(!f.popup.Window()->isVisible());
        f.popup.ClosePopup();
        QVERIFY(!f.popup.Window()->isVisible());
        QCOMPARE(f.popup.Window()->y(), 994);
    }

    void leavingWithoutAutoHideKeepsItShown()
    {
        RecordingSlides slides;
        FixedPopup f;
        f.popup.OpenPopup();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.popup.Window(), &leave);
        QVERIFY(f.popup.Window()->isVisible());
    }

    void autoSizeAddsBorderAndRoom()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        TPictureContainer pictures;
        pictures.Add(QStringLiteral("strip"), QImage(120, 13, QImage::Format_RGB32));
        popup.SetPictureContainer(&pictures);
        // A font lower than the picture, so the picture alone sets the line.
        popup.SetFont(MakeFont(QStringLiteral("DejaVu Sans"), -6));
        QVERIFY(QFontMetrics(popup.Font()).height() <= 13);
        popup.AutoSize = true;
        popup.BorderSize = 5;
        popup.SetText({QStringLiteral("<IMG SRC=\"strip\">")});
        popup.PrepareWindow();
        QCOMPARE(popup.Window()->size(), QSize(146, 39));
    }

    void hugeTextKeepsTheWindowWithinTheLayoutSquare()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        popup.AutoSize = true;
        popup.BorderSize = 5;
        popup.SetFont(MakeFont(QStringLiteral("DejaVu Sans"), -11));
        QString text;
        for (int i = 0; i < 200000; ++i)
            text += QStringLiteral("w&amp;rd ");
        popup.SetText({text});
        popup.PrepareWindow();
        QVERIFY(popup.Window()->width() <= 4096 + 26);
        QVERIFY(popup.Window()->height() <= 4096 + 26);
        QVERIFY(popup.Window()->height() > 4000);
    }

    void linesAreJoinedWithoutBreak()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        popup.AutoSize = true;
        popup.SetFont(MakeFont(QStringLiteral("DejaVu Sans"), -11));
        popup.SetText({QStringLiteral("<B>a</B>"), QStringLiteral("b")});
        popup.PrepareWindow();
        QCOMPARE(popup.Window()->WindowText(), QStringLiteral("<B>a</B>b"));
        QCOMPARE(popup.Window()->height(), QFontMetrics(popup.Font()).height() + 16);
    }

    void textChangeWhileShownTakesTheRawSize()
    {
        RecordingSlides slides;
        FixedPopup f;
        f.popup.OpenPopup();
        f.popup.SetText({QStringLiteral("<B>x</B>")});
        const QFontMetrics metrics(f.popup.Font());
        QCOMPARE(f.popup.Window()->size(),
                 QSize(metrics.horizontalAdvance(QStringLiteral("<B>x</B>")) + 6, metrics.height() + 4));
    }

    void paintsGradientAndRaisedFrame()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        popup.PopupWidth = 80;
        popup.PopupHeight = 40;
        popup.BorderSize = 5;
        popup.ShadeEnable = true;
        popup.ShadeStartColor = clWhite;
        popup.ShadeEndColor = clYellow;
        popup.ShadeSteps = 40;
        popup.ShowPopup();
        const QImage image = popup.Window()->grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(79, 39), qRgb(128, 128, 128));
        QCOMPARE(QColor(image.pixel(2, 20)), ToQColor(clBtnFace));
        QCOMPARE(image.pixel(5, 20), qRgb(128, 128, 128));
        QCOMPARE(image.pixel(75, 20), qRgb(255, 255, 255));
        // Inside the frame: band i spans 2 px from x = 2i, its colour rounded to even.
        for (int x : {6, 20, 41, 72}) {
            const int band = x / 2;
            QCOMPARE(QColor(image.pixel(x, 30)), ToQColor(BandColor(clWhite, clYellow, band, 40)));
        }
    }

    void zeroShadeStepsDrawOneBand()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        popup.PopupWidth = 60;
        popup.PopupHeight = 30;
        popup.ShadeEnable = true;
        popup.ShadeStartColor = clAqua;
        popup.ShadeEndColor = clRed;
        popup.ShadeSteps = 0;
        popup.ShowPopup();
        const QImage image = popup.Window()->grab().toImage();
        for (int x : {3, 30, 56})
            QCOMPARE(image.pixel(x, 25), qRgb(0, 255, 255));
    }

    void plainColourWithoutShadeAndThinEdgeWithoutBorder()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        popup.PopupWidth = 40;
        popup.PopupHeight = 20;
        popup.Color = clNavy;
        popup.ShowPopup();
        const QImage image = popup.Window()->grab().toImage();
        QCOMPARE(QColor(image.pixel(20, 10)), ToQColor(clNavy));
        QCOMPARE(QColor(image.pixel(0, 5)), ToQColor(cl3DLight));
        QCOMPARE(QColor(image.pixel(39, 19)), ToQColor(cl3DDkShadow));
    }

    void hoverTracksTheAnchorUnderTheMouse()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        popup.Hover = true;
        popup.PopupWidth = 200;
        popup.PopupHeight = 60;
        popup.SetFont(MakeFont(QStringLiteral("DejaVu Sans"), -11));
        popup.SetText({QStringLiteral("<A href=\"go\">link</A> plain")});
        popup.ShowPopup();
        TNoticePopupWindow* w = popup.Window();
        const TRect text = w->TextRect();
        const int gh = QFontMetrics(popup.Font()).height();
        auto blueInk = [&] {
            const QImage image = w->grab().toImage();
            int n = 0;
            for (int y = text.Top; y < text.Top + gh + 2; ++y)
                for (int x = text.Left; x < text.Right; ++x)
                    n += image.pixel(x, y) == qRgb(0, 0, 255);
            return n;
        };
        const int plain = blueInk();
        QTest::mouseMove(w, QPoint(text.Left + 4, text.Top + gh / 2));
        QCOMPARE(w->HoverAnchor(), 1);
        // Hovered, the anchor gets its underline.
        QVERIFY(blueInk() > plain);
        QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(w->HoverRect().Contains(text.Left + 4, text.Top + gh / 2));
        QTest::mouseMove(w, QPoint(text.Right - 2, text.Top + gh / 2));
        QCOMPARE(w->HoverAnchor(), -1);
        QCOMPARE(blueInk(), plain);
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    }

    void anchorClickReachesTheComponent()
    {
        ClickablePopup f(QStringLiteral("<A href=\"go-there\">link</A> plain"), 200);
        TNoticePopupWindow* w = f.popup.Window();
        const TRect text = w->TextRect();
        const int gh = QFontMetrics(f.popup.Font()).height();
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(text.Left + 4, text.Top + gh / 2));
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(text.Right - 2, text.Top + gh / 2));
        QCOMPARE(f.clicked, QStringList{QStringLiteral("go-there")});
        QCOMPARE(f.sender, &f.popup);
    }

    void screenReadersMeetAnAlertWithLinks()
    {
        InstallNoticePopupAccessibility();
        ClickablePopup f(QStringLiteral("<B>Vellomar</B> see <A href=\"room.htm\">the &amp; room</A>"), 300);
        TNoticePopup& popup = f.popup;
        QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(popup.Window());
        QCOMPARE(alert->role(), QAccessible::AlertMessage);
        QCOMPARE(alert->text(QAccessible::Name), QStringLiteral("Vellomar see the & room"));
        QCOMPARE(alert->childCount(), 1);
        QAccessibleInterface* link = alert->child(0);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->parent(), alert);
        QCOMPARE(alert->indexOfChild(link), 0);
        QCOMPARE(link->text(QAccessible::Name), QStringLiteral("the & room"));
        QCOMPARE(link->text(QAccessible::Description), QStringLiteral("room.htm"));
        QVERIFY(link->state().linked);
        // Where a reader points, the click lands on the anchor.
        const QRect place = link->rect();
        QVERIFY(!place.isEmpty());
        QVERIFY(QRect(popup.Window()->mapToGlobal(QPoint(0, 0)), popup.Window()->size()).contains(place));
        QCOMPARE(alert->childAt(place.center().x(), place.center().y()), link);
        TMiniHTMLResults hit;
        QVERIFY(popup.Window()->HitTest(popup.Window()->mapFromGlobal(place.center()), hit));
        QCOMPARE(hit.AnchorUnderPoint, QStringLiteral("room.htm"));

        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(f.clicked, QStringList{QStringLiteral("room.htm")});
        QCOMPARE(f.sender, &popup);

        // A new text without anchors has no links; the old one is gone.
        popup.SetText({QStringLiteral("plain")});
        QVERIFY(!link->isValid());
        QCOMPARE(alert->childCount(), 0);
        QCOMPARE(alert->text(QAccessible::Name), QStringLiteral("plain"));
    }

    void removedPictureContainerIsForgotten()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        auto* pictures = new TPictureContainer;
        popup.SetPictureContainer(pictures);
        delete pictures;
        QVERIFY(popup.PictureContainer() == nullptr);
    }
};

VELLOMAR_TEST_MAIN(NoticePopupTest)
#include "test_noticepopup.moc"
