// The frame skinner's painting: borders, caption strip, caption text and buttons, and the window
// region, checked by the pixels of skinned windows.
#include "SkinFixture.h"
#include "skin/StoredSkin.h"

using namespace TestColours;

namespace {

QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & RGB_MASK;
}

QRgb Rgb(QRgb colour)
{
    return colour & RGB_MASK;
}

} // namespace

class FrameSkinTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSkinData> data;

    TWinSkinForm* ShowSkinned(TestForm& form, const QByteArray& package)
    {
        data.reset(LoadedSkinData(package));
        if (!ShowAndWait(&form))
            return nullptr;
        return SkinnerOf(&form);
    }

private slots:
    void cleanup()
    {
        ResetSkinManager();
        data.reset();
    }

    void captionStripHeight_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<int>("height");
        QTest::addRow("our skin") << StoredSkinPackage() << 23;
        TestSkin skin;
        QTest::addRow("46-pixel Top of 2 frames") << skin.Package() << 23;
        skin.personality["TopFrame"] = "1";
        QTest::addRow("one frame") << skin.Package() << 46;
        skin.personality["TopFrame"] = "0";
        QTest::addRow("no frames counts as one") << skin.Package() << 46;
        skin.personality["TopFrame"] = "-3";
        QTest::addRow("negative counts as one") << skin.Package() << 46;
    }
    void captionStripHeight()
    {
        QFETCH(QByteArray, package);
        QFETCH(int, height);
        TestForm form;
        TWinSkinForm* skinner = ShowSkinned(form, package);
        QVERIFY(skinner);
        QCOMPARE(skinner->Borders().top(), height);
        QCOMPARE(skinner->ClientRect().top(), height);
        QCOMPARE(form.ClientArea()->geometry().top(), height);
        // The client keeps the size it had: the window grew by the frame.
        QCOMPARE(form.ClientArea()->size(), QSize(300, 200));
    }

    void captionPixelsComeFromTheTopImage()
    {
        TestForm form;
        QVERIFY(ShowSkinned(form, TestSkin().Package()));
        const QImage shot = form.grab().toImage();
        const int x = 200;
        QCOMPARE(At(shot, x, 0), Rgb(kTop[0]));
        QCOMPARE(At(shot, x, 22), Rgb(kTop[0]));
        QVERIFY(At(shot, x, 23) != Rgb(kTop[0]));
        QCOMPARE(At(shot, 0, 100), Rgb(kLeft[0]));
        QCOMPARE(At(shot, form.width() - 1, 100), Rgb(kRight[0]));
        QCOMPARE(At(shot, x, form.height() - 1), Rgb(kBottom[0]));
    }

    void activeAndInactiveFrames()
    {
        TestForm first(QStringLiteral("First")), second(QStringLiteral("Second"));
        data.reset(LoadedSkinData(TestSkin().Package()));
        QVERIFY(ShowAndWait(&first));
        QVERIFY(ShowAndWait(&second));
        second.activateWindow();
        QTRY_VERIFY(second.isActiveWindow());
        QTRY_VERIFY(!SkinnerOf(&first)->IsActive());
        const auto check = [](TestForm& form, int frame) {
            TWinSkinForm* skinner = SkinnerOf(&form);
            const QImage shot = form.grab().toImage();
            QCOMPARE(At(shot, 1, 100), Rgb(kLeft[frame]));
            QCOMPARE(At(shot, form.width() - 2, 100), Rgb(kRight[frame]));
            QCOMPARE(At(shot, 200, 10), Rgb(kTop[frame]));
            QCOMPARE(At(shot, 200, form.height() - 2), Rgb(kBottom[frame]));
            // Caption buttons: normal (frame 1) when active, frame 4 when not.
            const QPoint close = skinner->CaptionButtons()[0]->Rect.center();
            QCOMPARE(At(shot, close.x(), close.y()), Rgb(frame == 0 ? kClose[0] : kClose[3]));
        };
        check(second, 0);
        check(first, 1);
    }

    // A button with fewer than four frames has no inactive frame: it shows its state.
    void fewFramesHaveNoInactiveFrame()
    {
        TestSkin skin;
        skin.pictures["close.bmp"] = FrameStrip({17, 17}, {kClose[0], kClose[1], kClose[2]});
        skin.sections.replace("ButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=24\nYcoord=3\nframe=4",
                              "ButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=24\nYcoord=3\nframe=3");
        TestForm first, second;
        data.reset(LoadedSkinData(skin.Package()));
        QVERIFY(ShowAndWait(&first));
        QVERIFY(ShowAndWait(&second));
        second.activateWindow();
        QTRY_VERIFY(!SkinnerOf(&first)->IsActive());
        const QPoint close = SkinnerOf(&first)->CaptionButtons()[0]->Rect.center();
        QCOMPARE(At(first.grab().toImage(), close.x(), close.y()), Rgb(kClose[0]));
    }

    void captionTextAlignment_data()
    {
        QTest::addColumn<QByteArray>("alignment");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<QString>("rule");
        QTest::addRow("0 left") << QByteArray("0") << false << "shift";
        QTest::addRow("1 centred") << QByteArray("1") << false << "centre";
        QTest::addRow("2 right") << QByteArray("2") << false << "right";
        QTest::addRow("right-to-left, 0") << QByteArray("0") << true << "right";
        QTest::addRow("right-to-left, 1") << QByteArray("1") << true << "right";
    }
    void captionTextAlignment()
    {
        QFETCH(QByteArray, alignment);
        QFETCH(bool, rightToLeft);
        QFETCH(QString, rule);
        TestSkin skin;
        skin.personality["TextAlignment"] = alignment;
        TestForm form;
        if (rightToLeft)
            form.setLayoutDirection(Qt::RightToLeft);
        TWinSkinForm* skinner = ShowSkinned(form, skin.Package());
        QVERIFY(skinner);
        const TCaptionLayout layout = skinner->LayoutCaption(form.size());
        const QRect caption = layout.caption, text = layout.text;
        QVERIFY(text.width() > 40);
        if (rule == u"shift")
            QCOMPARE(text.left(), caption.left() + 28);
        else if (rule == u"centre")
            QVERIFY(qAbs((text.left() - caption.left()) - (caption.right() - text.right())) <= 1);
        else
            QCOMPARE(text.right(), caption.right() - 70);
        // The text background lies exactly under the text rectangle; the text is drawn on it.
        const QImage shot = form.grab().toImage();
        QCOMPARE(At(shot, text.left(), 1), Rgb(kTitle[0]));
        QCOMPARE(At(shot, text.right(), 1), Rgb(kTitle[0]));
        QCOMPARE(At(shot, text.left() - 1, 1), Rgb(kTop[0]));
        QCOMPARE(At(shot, text.right() + 1, 1), Rgb(kTop[0]));
        int white = 0, whiteOutside = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < form.width(); ++x)
                if (At(shot, x, y) == (qRgb(255, 255, 255) & RGB_MASK))
                    (text.contains(x, y) ? white : whiteOutside)++;
        QVERIFY(white > 20);
        QCOMPARE(whiteOutside, 0);
    }

    void captionFollowsTheTitle()
    {
        TestForm form(QStringLiteral("Short"));
        TWinSkinForm* skinner = ShowSkinned(form, TestSkin().Package());
        const int shortText = skinner->LayoutCaption(form.size()).text.width();
        form.SetCaption(QStringLiteral("A much longer caption"));
        QVERIFY(skinner->LayoutCaption(form.size()).text.width() > shortText);
        const QImage shot = form.grab().toImage();
        QCOMPARE(At(shot, skinner->LayoutCaption(form.size()).text.right(), 1), Rgb(kTitle[0]));
    }

    // Right-to-left text is right-aligned inside its background.
    void rightToLeftTextHugsTheRight()
    {
        TestForm form;
        form.setLayoutDirection(Qt::RightToLeft);
        TestSkin skin;
        // A background far wider than the text.
        skin.personality["TXTBackleft"] = "60";
        TWinSkinForm* skinner = ShowSkinned(form, skin.Package());
        const TCaptionLayout layout = skinner->LayoutCaption(form.size());
        const QImage shot = form.grab().toImage();
        int leftmost = form.width();
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < form.width(); ++x)
                if (At(shot, x, y) == (qRgb(255, 255, 255) & RGB_MASK))
                    leftmost = std::min(leftmost, x);
        QVERIFY(leftmost > layout.text.left() + 60);
    }

    void transparentBorderLeavesKeyPixelsOut_data()
    {
        QTest::addColumn<QByteArray>("trans");
        QTest::addColumn<bool>("cut");
        QTest::addRow("Trans 1") << QByteArray("1") << true;
        QTest::addRow("Trans 0") << QByteArray("0") << false;
    }
    void transparentBorderLeavesKeyPixelsOut()
    {
        QFETCH(QByteArray, trans);
        QFETCH(bool, cut);
        TestSkin skin;
        // The left border's top-left 2 × 2 pixels (in both frames) are the key colour; its top
        // five rows are a fixed part, copied unscaled.
        QImage left = FrameStrip({4, 30}, {kLeft[0], kLeft[1]});
        for (int frame = 0; frame < 2; ++frame)
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x)
                    left.setPixel(frame * 4 + x, y, kKey);
        skin.pictures["left.bmp"] = left;
        skin.personality["LeftTrans"] = trans;
        skin.personality["LeftTopHeight"] = "5";
        TestForm form;
        TWinSkinForm* skinner = ShowSkinned(form, skin.Package());
        QVERIFY(skinner);
        const QRegion region = skinner->WindowRegion();
        QCOMPARE(region.contains(QPoint(0, 0)), !cut);
        QCOMPARE(region.contains(QPoint(1, 1)), !cut);
        QVERIFY(region.contains(QPoint(2, 0)));
        QVERIFY(region.contains(QPoint(0, 2)));
        QVERIFY(region.contains(QPoint(0, 100)));
        QVERIFY(region.contains(QPoint(form.width() - 1, 0)));
        QVERIFY(region.contains(QPoint(150, 100)));
        QVERIFY(form.mask().xored(cut ? region : QRegion()).isEmpty());
        // After a resize the region follows the new size.
        form.resize(form.width() + 40, form.height() + 30);
        QVERIFY(skinner->WindowRegion().contains(QPoint(form.width() - 1, form.height() - 1)));
    }

    void ourSkinRoundsTheCaptionCorners()
    {
        TestForm form;
        TWinSkinForm* skinner = ShowSkinned(form, StoredSkinPackage());
        QVERIFY(skinner);
        const QRegion region = skinner->WindowRegion();
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(!region.contains(QPoint(form.width() - 1, 0)));
        QVERIFY(region.contains(QPoint(form.width() / 2, 0)));
        QVERIFY(region.contains(QPoint(0, form.height() - 1)));
    }

    // Active or not, the right border looks like the left one seen in a mirror.
    void ourSkinsSideBordersMirrorEachOther()
    {
        TestForm first(QStringLiteral("First")), second(QStringLiteral("Second"));
        data.reset(LoadedSkinData(StoredSkinPackage()));
        QVERIFY(ShowAndWait(&first));
        QVERIFY(ShowAndWait(&second));
        second.activateWindow();
        QTRY_VERIFY(!SkinnerOf(&first)->IsActive());
        for (TestForm* form : {&first, &second}) {
            const QImage shot = form->grab().toImage();
            const int border = SkinnerOf(form)->Borders().left();
            for (int x = 0; x < border; ++x)
                QCOMPARE(At(shot, form->width() - 1 - x, 100), At(shot, x, 100));
        }
    }

    // A maximised window shows our skin's restore button where the maximise button was.
    void ourSkinSwapsMaximiseForRestore()
    {
        TestForm form;
        TWinSkinForm* skinner = ShowSkinned(form, StoredSkinPackage());
        QVERIFY(skinner);
        const auto shown = [&] {
            QStringList names;
            for (const auto& button : skinner->CaptionButtons())
                if (button->Visible && button->Action() == 1)
                    names << QStringLiteral("%1 at %2")
                                 .arg(button->Element().Name)
                                 .arg(button->Rect.right() - form.width());
            return names;
        };
        QCOMPARE(shown(), QStringList{"BUTTON1 at -27"});
        skinner->Maximize();
        QTRY_VERIFY(form.isMaximized());
        QTRY_COMPARE(shown(), QStringList{"BUTTON6 at -27"});
    }

    // A borderless pop-up window keeps its own look: no frame, no insets, no region.
    void borderlessWindowGetsNoFrame()
    {
        TestForm form;
        form.setWindowFlags(form.windowFlags() | Qt::FramelessWindowHint);
        TWinSkinForm* skinner = ShowSkinned(form, TestSkin().Package());
        QVERIFY(skinner);
        QCOMPARE(skinner->Kind(), wkBorderless);
        QCOMPARE(skinner->Borders(), QMargins());
        QCOMPARE(form.size(), QSize(300, 200));
        QVERIFY(form.mask().isEmpty());
        const QImage shot = form.grab().toImage();
        QVERIFY(At(shot, 0, 0) != Rgb(kLeft[0]) && At(shot, 150, 5) != Rgb(kTop[0]));
    }

    void windowIconButtonShowsTheIcon()
    {
        QPixmap icon(16, 16);
        icon.fill(Qt::green);
        TestForm form;
        form.setWindowIcon(QIcon(icon));
        TWinSkinForm* skinner = ShowSkinned(form, StoredSkinPackage());
        const auto& buttons = skinner->CaptionButtons();
        const auto iconButton =
            std::find_if(buttons.begin(), buttons.end(), [](const auto& b) { return b->Action() == 3; });
        QVERIFY(iconButton != buttons.end());
        QVERIFY((*iconButton)->Visible);
        QCOMPARE((*iconButton)->Rect, QRect(6, 3, 16, 16));
        QCOMPARE(At(form.grab().toImage(), 14, 11), qRgb(0, 255, 0) & RGB_MASK);
    }

    void detachingGivesTheWindowBack()
    {
        TestForm form;
        form.SetColor(clWhite);
        TWinSkinForm* skinner = ShowSkinned(form, StoredSkinPackage());
        QVERIFY(skinner);
        QCOMPARE(form.Color(), RGB(232, 238, 246));
        QVERIFY(form.windowHandle()->flags() & Qt::FramelessWindowHint);
        QVERIFY(!form.mask().isEmpty());
        skinner->Detach();
        QCOMPARE(form.Color(), clWhite);
        QVERIFY(!(form.windowHandle()->flags() & Qt::FramelessWindowHint));
        QCOMPARE(form.NonClientInsets(), QMargins());
        QVERIFY(form.mask().isEmpty());
        QCOMPARE(form.size(), QSize(300, 200));
    }
};

VELLOMAR_TEST_MAIN(FrameSkinTest)
#include "test_frame_skin.moc"
