#include "SkinTestPackages.h"
#include "TestSupport.h"
#include "skin/SkinData.h"
#include "skin/SkinReader.h"
#include "skin/StoredSkin.h"

#include <QBuffer>
#include <QTemporaryDir>

namespace {

const TSkinElements& Loaded(TSkinData& data, const QByteArray& package)
{
    data.SetSkinStream(package);
    return data.Elements();
}

} // namespace

class SkinDataTest : public QObject {
    Q_OBJECT

private slots:
    void createdWithDefaults()
    {
        TSkinData data;
        QVERIFY(data.SkinEmpty());
        QVERIFY(!data.Active());
        QCOMPARE(data.DisableTag(), 99);
        QVERIFY(data.MenuUpdate());
        QCOMPARE(data.Version(), QStringLiteral("1.0"));
        QCOMPARE(data.SkinFormtype, sfMainform);
        QCOMPARE(int(data.SkinControls.count()), kSkinControlTypeCount - 1);
        QVERIFY(!data.SkinControls.test(xcReportPreview));
        const TSkinElements& e = data.Elements();
        QVERIFY(e.Left && e.Right && e.Top && e.Bottom && e.Title && e.Buttons);
        QCOMPARE(e.Title->Name, QStringLiteral("Title"));
        // Restore, maximise, minimise and close glyphs on a white ground made transparent.
        QCOMPARE(data.MenuGlyphs().size(), 4);
        QCOMPARE(data.MenuGlyphs()[0].size(), QSize(16, 16));
        QCOMPARE(qAlpha(data.MenuGlyphs()[3].pixel(0, 0)), 0);
    }

    // Our own skin defines every section the program draws with.
    void storedSkinLoadsCompletely()
    {
        RecordingDialogs dialogs;
        TSkinData data;
        const TSkinElements& e = Loaded(data, StoredSkinPackage());
        QVERIFY(dialogs.boxes.isEmpty());
        QVERIFY(!data.SkinEmpty());
        QVERIFY(!e.SkinName.isEmpty());
        for (const auto* border : {e.Left.get(), e.Right.get(), e.Top.get(), e.Bottom.get()}) {
            QVERIFY2(!border->Image.isNull(), qPrintable(border->Name));
            QCOMPARE(border->FrameCount, 2);
        }
        QCOMPARE(e.Top->Image.height() / e.Top->FrameCount, 23);
        QVERIFY(!e.Title->Image.isNull());
        QVERIFY(e.Title->ActiveText != clNone);
        QVERIFY(!e.Buttons->Image.isNull() && !e.Buttons->CheckButton.isNull() && !e.Buttons->RadioButton.isNull());
        QCOMPARE(e.Buttons->FrameCount, 5);
        QStringList buttons;
        for (const auto& b : e.SysButtons)
            buttons << b->Name + QLatin1Char('/') + QString::number(b->Action);
        QCOMPARE(buttons,
                 (QStringList{"BUTTON0/0", "BUTTON1/1", "BUTTON2/2", "BUTTON5/3", "BUTTON6/1", "MDICONTROLS/7",
                              "MDICONTROLS/8", "MDICONTROLS/9"}));
        for (int i : {0, 1, 2, 4})
            QVERIFY(!e.SysButtons[i]->Image.isNull());
        QVERIFY(e.SysButtons[3]->Image.isNull()); // the window icon is drawn instead
        QCOMPARE(e.Palette.size(), 2);
        QCOMPARE(e.Colours.ButtonFace, RGB(232, 238, 246));
        QCOMPARE(data.ButtonFaceBrush().color(), QColor(232, 238, 246));
        const std::pair<const TDataSkinObject*, int> present[] = {
            {e.MenuBar.get(), 2}, {e.Progress.get(), 2}, {e.GroupBoxEdge.get(), 2}, {e.GroupBox.get(), 1},
            {e.Toolbars.get(), 5}, {e.Tabs.get(), 5}, {e.ComboButton.get(), 4}, {e.SunkEdge.get(), 4},
            {e.Scrollbar.get(), 23}, {e.HorzScroll.get(), 4}, {e.VertScroll.get(), 4},
            {e.HorzScrollThumb.get(), 3}, {e.VertScrollThumb.get(), 3}};
        for (const auto& [element, frames] : present) {
            QVERIFY(element);
            QVERIFY2(!element->Image.isNull(), qPrintable(element->Name));
            QCOMPARE(element->FrameCount, frames);
            QCOMPARE(element->Image.width() % (element == e.MenuBar.get() ? 1 : frames), 0);
        }
        QVERIFY(!e.Tabs->Image2.isNull());
        QVERIFY(!e.Progress->Image2.isNull());
        QCOMPARE(e.ComboButton->Image2, e.ComboButton->Image.mirrored(true, false));
        QVERIFY(!e.MenuItem && !e.MenuBackground && !e.StatusBarEdges && !e.UpDownHorz && !e.TrackbarThumbHorz);
    }

    void captionButtonFrames_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("frames");
        QTest::addRow("wide-image") << QSize(102, 17) << "Action=0" << 6;
        QTest::addRow("narrow-image") << QSize(51, 17) << "Action=0" << 3;
        QTest::addRow("ratio-just-above") << QSize(65, 17) << "Action=1" << 6;
        QTest::addRow("negative-action") << QSize(51, 17) << "Action=-2" << 6;
        QTest::addRow("given") << QSize(51, 17) << "Action=0\nframe=4" << 4;
        QTest::addRow("no-image") << QSize() << "Action=0" << 6;
    }
    void captionButtonFrames()
    {
        QFETCH(QSize, size);
        QFETCH(QString, keys);
        QFETCH(int, frames);
        QList<SkinEntry> pictures;
        if (size.isValid())
            pictures.append({QStringLiteral("b.bmp"), SolidBmp(size.width(), size.height())});
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage("[Button0]\nButtonImage=b.bmp\n" + keys.toLatin1() + "\n", pictures));
        QCOMPARE(int(e.SysButtons.size()), 1 + 3);
        QCOMPARE(e.SysButtons[0]->FrameCount, frames);
    }

    void captionButtonList()
    {
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage(
            "[Buttons]\n[Button.Radio]\n[BUTTON]\n[Button.CheckBox]\n"
            "[Button3]\nAction=-1\nVisibility=2\n"
            "[button4]\nAction=-1\nVisibility=0\n"
            "[ButtonX]\nAction=11\nButtonImage=b.bmp\nAlign=1\nXcoord=20\nYcoord=4\nCombineOp=2\n",
            {{QStringLiteral("b.bmp"), SolidBmp(34, 17)}}));
        QCOMPARE(int(e.SysButtons.size()), 2 + 3);
        QCOMPARE(e.SysButtons[0]->Name, QStringLiteral("BUTTON4"));
        QCOMPARE(e.SysButtons[0]->Visibility1, -1);
        QCOMPARE(e.SysButtons[0]->CombineOp, -1);
        QCOMPARE(e.SysButtons[1]->Name, QStringLiteral("BUTTONX"));
        QCOMPARE(e.SysButtons[1]->Visibility1, 0);
        QCOMPARE(e.SysButtons[1]->FrameCount, 3);
        QVERIFY(e.SysButtons[1]->Image.isNull());
        QCOMPARE(e.SysButtons[1]->Xcoord, 20);
        QCOMPARE(e.SysButtons[1]->CombineOp, 2);
        for (int i = 0; i < 3; ++i) {
            const TDataSkinSysButton& mdi = *e.SysButtons[2 + i];
            QCOMPARE(mdi.Action, 7 + i);
            QCOMPARE(mdi.Align, 100);
            QCOMPARE(mdi.Visibility1, 100);
            QCOMPARE(mdi.FrameCount, 4);
            QVERIFY(mdi.Image.isNull());
        }
    }

    void childWindowButtonsComeFromOneStrip()
    {
        QImage strip(120, 10, QImage::Format_RGB32);
        for (int x = 0; x < 120; ++x)
            for (int y = 0; y < 10; ++y)
                strip.setPixel(x, y, qRgb(x, 0, 0));
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage("[MDICONTROLS]\nImage=mdi.bmp\n",
                                                               {{QStringLiteral("mdi.bmp"), BmpFile(strip)}}));
        QCOMPARE(int(e.SysButtons.size()), 3);
        for (int i = 0; i < 3; ++i) {
            const TDataSkinSysButton& b = *e.SysButtons[i];
            QCOMPARE(b.Image.size(), QSize(40, 10));
            QCOMPARE(qRed(b.Image.pixel(0, 0)), 40 * i);
            QCOMPARE(b.Xcoord, 14 * (3 - i));
        }
    }

    void toggleFrames_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<int>("frames");
        QTest::addRow("56x14-by-13") << QSize(56, 14) << QByteArray() << 4;
        QTest::addRow("104x13-by-13") << QSize(104, 13) << QByteArray() << 8;
        QTest::addRow("96x16-by-16") << QSize(96, 16) << QByteArray() << 6;
        QTest::addRow("at-least-4") << QSize(26, 13) << QByteArray() << 4;
        QTest::addRow("given") << QSize(104, 13) << QByteArray("CheckButtonFrame=2\nRadioButtonFrame=2\n") << 2;
    }
    void toggleFrames()
    {
        QFETCH(QSize, size);
        QFETCH(QByteArray, keys);
        QFETCH(int, frames);
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage("[Buttons]\nCheckButton=c.bmp\nRadioButton=c.bmp\n" + keys,
                                                               {{QStringLiteral("c.bmp"), SolidBmp(size.width(), size.height())}}));
        QCOMPARE(e.Buttons->CheckButtonFrame, frames);
        QCOMPARE(e.Buttons->RadioButtonFrame, frames);
    }

    void namedColours_data()
    {
        QTest::addColumn<QByteArray>("colours");
        QTest::addColumn<uint>("buttonFace");
        QTest::addColumn<uint>("menubar");
        QTest::addRow("none") << QByteArray() << uint(clBtnFace) << uint(clBtnFace);
        QTest::addRow("face-only") << QByteArray("ButtonFace=1 2 3\n") << uint(RGB(1, 2, 3)) << uint(RGB(1, 2, 3));
        QTest::addRow("both") << QByteArray("ButtonFace=1 2 3\nMenubar=4 5 6\n") << uint(RGB(1, 2, 3)) << uint(RGB(4, 5, 6));
    }
    void namedColours()
    {
        QFETCH(QByteArray, colours);
        QFETCH(uint, buttonFace);
        QFETCH(uint, menubar);
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage("[Colours]\n" + colours));
        QCOMPARE(uint(e.Colours.ButtonFace), buttonFace);
        QCOMPARE(uint(e.Colours.Menubar), menubar);
        QCOMPARE(data.ButtonFaceBrush().color(), ToQColor(ColorToRGB(buttonFace)));
    }

    void paletteAndTitleColours()
    {
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage(
            "[Colour0]\ncolor=1 2 3\n[Colours]\n[colour7]\ncolor=4 5 6\n[ColourX]\n"
            "[Personality]\nActiveTextR=300\nActiveTextG=1\nActiveTextB=2\nInActiveTextR=1\nInActiveTextG=1\n"
            "[Buttons]\nNormalColour2=9 9 9\n[Fonts]\nFontHeight=17\n"));
        QCOMPARE(e.Palette, (QList<TColor>{RGB(1, 2, 3), RGB(4, 5, 6), clWindowText}));
        QCOMPARE(e.Title->ActiveText, RGB(44, 1, 2));
        QCOMPARE(e.Title->InActiveText, clNone);
        QCOMPARE(e.Title->FontHeight, 17);
        QVERIFY(e.Buttons->NormalColour2Given);
        QVERIFY(!e.Buttons->PressedColour2Given);
        QCOMPARE(e.Buttons->NormalColour2, RGB(9, 9, 9));
        QCOMPARE(e.Buttons->PressedColour2, clBtnText);
    }

    void plainElements()
    {
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage(
            "[SunkEdge]\nImage=s.bmp\nTile=2\nLeftWidth=3\nTrans=1\nStyle=4\n"
            "[MenuItem]\nImage=\n"
            "[Tabs]\nImage=s.bmp\nBorder=s.bmp\nStyle=9\n"
            "[GroupBox]\nImage=missing.bmp\nBackgroundLeftShift=5\n"
            "[Progress]\nBitmap=s.bmp\nChunk=S.bmp\n",
            {{QStringLiteral("s.bmp"), SolidBmp(20, 10)}}));
        QVERIFY(e.SunkEdge);
        QCOMPARE(e.SunkEdge->Tile, 0);
        QCOMPARE(e.SunkEdge->LeftWidth, 3);
        QCOMPARE(e.SunkEdge->Style, 4);
        QCOMPARE(e.SunkEdge->NormalColour, -1);
        QVERIFY(!e.MenuItem);
        QCOMPARE(e.Tabs->Style, 0);
        QVERIFY(!e.Tabs->Image2.isNull());
        QVERIFY(e.GroupBox);
        QVERIFY(e.GroupBox->Image.isNull());
        QCOMPARE(e.GroupBox->BackgroundLeftShift, 5);
        QVERIFY(!e.Progress->Image2.isNull());
        QVERIFY(!e.ComboButton);
    }

    // Frame counts below one from the description count as one frame, so no painter divides
    // by zero or a negative number; toggle images work theirs out from the image.
    void frameCountsBelowOne_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addRow("zero") << QByteArray("0");
        QTest::addRow("negative") << QByteArray("-4");
    }
    void frameCountsBelowOne()
    {
        QFETCH(QByteArray, keys);
        TSkinData data;
        const TSkinElements& e =
            Loaded(data,
                   DescribedPackage(
                       "[Personality]\nTop=s.bmp\nTopFrame=" + keys + "\nLeft=s.bmp\nLeftFrame=" + keys
                           + "\n[Button0]\nButtonImage=s.bmp\nAction=-2\nVisibility=0\nframe=" + keys
                           + "\n[Buttons]\nCheckButton=c.bmp\nCheckButtonFrame=" + keys
                           + "\n[HorzScrollThumb]\nImage=s.bmp\nFrameCount=" + keys + "\n",
                       {{QStringLiteral("s.bmp"), SolidBmp(20, 10)}, {QStringLiteral("c.bmp"), SolidBmp(56, 14)}}));
        QCOMPARE(e.Top->FrameCount, 1);
        QCOMPARE(e.Left->FrameCount, 1);
        QCOMPARE(e.SysButtons[0]->FrameCount, keys == "0" ? 6 : 1);
        QCOMPARE(e.Buttons->CheckButtonFrame, 4);
        QCOMPARE(e.HorzScrollThumb->FrameCount, 1);
    }

    // "Stretch" 1 stretches the border's centre; Tile says the same in the other elements' terms.
    void bordersKeepTheirStretchValue_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<int>("stretch");
        QTest::addColumn<int>("tile");
        QTest::addRow("default") << QByteArray() << 1 << 0;
        QTest::addRow("stretch") << QByteArray("TopStretch=1\n") << 1 << 0;
        QTest::addRow("tile") << QByteArray("TopStretch=0\n") << 0 << 1;
    }
    void bordersKeepTheirStretchValue()
    {
        QFETCH(QByteArray, keys);
        QFETCH(int, stretch);
        QFETCH(int, tile);
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage("[Personality]\n" + keys));
        QCOMPARE(e.Top->Stretch, stretch);
        QCOMPARE(e.Top->Tile, tile);
    }

    void imageValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("found");
        QTest::addRow("plain") << "top.bmp" << true;
        QTest::addRow("capitals-in-base-name") << "Top.bmp" << true;
        QTest::addRow("folder-part") << "C:\\skins\\top.bmp" << true;
        QTest::addRow("after-colon") << "skin:top.bmp" << true;
        QTest::addRow("upper-case-extension") << "top.BMP" << false;
        QTest::addRow("other-extension") << "top.png" << false;
        QTest::addRow("missing-entry") << "none.bmp" << false;
        QTest::addRow("folder-only") << "C:\\skins\\" << false;
        QTest::addRow("not-a-bitmap") << "junk.bmp" << false;
    }
    void imageValues()
    {
        QFETCH(QString, value);
        QFETCH(bool, found);
        RecordingDialogs dialogs;
        TSkinReader reader;
        QVERIFY(reader.ReadPackage(MakePackage({{QStringLiteral("top.bmp"), SolidBmp(3, 2)},
                                                {QStringLiteral("junk.bmp"), QByteArray("BMnonsense")}})));
        const QImage image = LoadSkinImage(reader, value);
        QCOMPARE(!image.isNull(), found);
        if (found)
            QCOMPARE(image.size(), QSize(3, 2));
    }

    void noDescriptionGivesDefaults()
    {
        TSkinData data;
        const TSkinElements& e = Loaded(data, MakePackage({{QStringLiteral("a.bmp"), SolidBmp(4, 4)}}));
        QVERIFY(!data.SkinEmpty());
        QVERIFY(e.Left->Image.isNull());
        QCOMPARE(e.Left->FrameCount, 1);
        QCOMPARE(e.Left->Trans, 1);
        QCOMPARE(int(e.SysButtons.size()), 3);
        QVERIFY(!e.MenuBar && !e.Progress && !e.GroupBox);
    }

    // However many values name one entry, it is decoded once and its pixels are shared.
    void oneEntryIsDecodedOnce()
    {
        QByteArray ini = "[Personality]\nLeft=edge.bmp\nRight=Edge.bmp\n";
        for (int i = 0; i < 12; ++i)
            ini += QByteArray("[Button") + QByteArray::number(i) + "]\nAction=0\nButtonImage=btn.bmp\n";
        TSkinData data;
        const TSkinElements& e = Loaded(data, DescribedPackage(ini, {{QStringLiteral("btn.bmp"), RunLengthBmp(60, 20)},
                                                                      {QStringLiteral("edge.bmp"), SolidBmp(2, 8)}}));
        QVERIFY(!data.SkinEmpty());
        QCOMPARE(int(e.SysButtons.size()), 12 + 3);
        QCOMPARE(e.SysButtons[0]->Image.size(), QSize(60, 20));
        for (int i = 1; i < 12; ++i)
            QCOMPARE(e.SysButtons[i]->Image.constBits(), e.SysButtons[0]->Image.constBits());
        QCOMPARE(e.Left->Image.constBits(), e.Right->Image.constBits());
    }

    // What a skin may make the loader build is bounded; past a bound the package is refused as
    // damaged and the previous skin stays.
    void oversizedSkinsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QString>("why");
        QTest::addRow("one-picture-too-large")
            << DescribedPackage("[Personality]\nTop=big.bmp\n", {{QStringLiteral("big.bmp"), RunLengthBmp(3000, 3000)}})
            << "picture \"big.bmp\" has 9000000 pixels";
        QByteArray many = "[Personality]\n";
        QList<SkinEntry> pictures;
        for (const char* key : {"Left", "Right", "Top", "Bottom", "TextBack"}) {
            const QString name = QString::fromLatin1(key).toLower() + QStringLiteral(".bmp");
            many += QByteArray(key) + "=" + name.toLatin1() + "\n";
            pictures.append({name, RunLengthBmp(1900, 1900)});
        }
        QTest::addRow("pictures-too-large-together") << DescribedPackage(many, pictures) << "its pictures have";
        QByteArray buttons;
        for (int i = 0; i < 200; ++i)
            buttons += QByteArray("[Button") + QByteArray::number(i) + "]\nAction=0\nButtonImage=b.bmp\n";
        QTest::addRow("too-many-caption-buttons")
            << DescribedPackage(buttons, {{QStringLiteral("b.bmp"), SolidBmp(6, 2)}}) << "200 caption buttons";
        QTest::addRow("package-too-large")
            << DescribedPackage("[TitlebarSkin]\nSkinName=Padded\n") + QByteArray(17 << 20, '\0') << "bytes, at most";
    }
    void oversizedSkinsAreRefused()
    {
        QFETCH(QByteArray, package);
        QFETCH(QString, why);
        RecordingDialogs dialogs;
        TSkinData data;
        Loaded(data, StoredSkinPackage());
        const QImage top = data.Elements().Top->Image;
        data.SetSkinStream(package);
        // Nothing was loaded: the skin in use stays, and so does its flag.
        QVERIFY(!data.SkinEmpty());
        QCOMPARE(data.Elements().Top->Image, top);
        QCOMPARE(dialogs.boxes.size(), 1);
        QVERIFY2(dialogs.boxes[0].text.startsWith(QStringLiteral("The skin package is damaged: "))
                     && dialogs.boxes[0].text.contains(why),
                 qPrintable(dialogs.boxes[0].text));
    }

    void rejectedPackageKeepsThePreviousSkin()
    {
        RecordingDialogs dialogs;
        TSkinData data;
        Loaded(data, StoredSkinPackage());
        const QImage top = data.Elements().Top->Image;
        QByteArray container = BuildSkinContainer({{QStringLiteral("skin.ini"), "[Personality]\n"}});
        PutU32(container, 0, 19999);
        QVERIFY(!(data.SetSkinStream(PackageOf(container)), data.LoadSkin()));
        // Nothing was loaded: the skin in use stays, and so does its flag.
        QVERIFY(!data.SkinEmpty());
        QCOMPARE(data.Elements().Top->Image, top);
        QCOMPARE(dialogs.boxes.size(), 2);
        QCOMPARE(dialogs.boxes[0].text, kOlderSkinMessage);
    }

    void skinStreamProperty_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("boxes");
        const QByteArray package = StoredSkinPackage();
        QByteArray count(4, '\0');
        PutU32(count, 0, quint32(package.size()));
        QTest::addRow("package") << count + package << true << 0;
        QTest::addRow("zero-count") << QByteArray(4, '\0') + package << false << 0;
        QTest::addRow("negative-count") << QByteArray("\xFF\xFF\xFF\xFF", 4) + package << false << 0;
        QTest::addRow("cut-short") << count + package.left(100) << false << 1;
        QTest::addRow("no-count") << QByteArray("\x01", 1) << false << 0;
    }
    void skinStreamProperty()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, loaded);
        QFETCH(int, boxes);
        RecordingDialogs dialogs;
        TSkinData data;
        QBuffer in(&stored);
        in.open(QIODevice::ReadOnly);
        data.ReadSkinStream(in);
        QCOMPARE(!data.SkinEmpty(), loaded);
        QCOMPARE(dialogs.boxes.size(), boxes);
        QByteArray written;
        QBuffer out(&written);
        out.open(QIODevice::WriteOnly);
        data.WriteSkinStream(out);
        if (loaded)
            QCOMPARE(written, stored);
        else
            QCOMPARE(written, QByteArray(4, '\0'));
    }

    void skinFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.skin"));
        TSkinData data;
        Loaded(data, StoredSkinPackage());
        data.SetSkinFile(dir.filePath(QStringLiteral("missing.skin")));
        QCOMPARE(data.SkinFile(), dir.filePath(QStringLiteral("missing.skin")));
        QVERIFY(!data.SkinEmpty());
        QVERIFY(!data.Elements().Top->Image.isNull());

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(DescribedPackage("[TitlebarSkin]\nSkinName=Other\n"));
        file.close();
        data.SetSkinFile(path);
        QVERIFY(!data.SkinEmpty());
        QCOMPARE(data.Elements().SkinName, QStringLiteral("Other"));
        QCOMPARE(data.SkinPackage(), DescribedPackage("[TitlebarSkin]\nSkinName=Other\n"));

        // A file past the package bound is not read at all.
        RecordingDialogs dialogs;
        const QString padded = dir.filePath(QStringLiteral("padded.skin"));
        QFile big(padded);
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(DescribedPackage("[TitlebarSkin]\nSkinName=Padded\n"));
        QVERIFY(big.resize(17 << 20));
        big.close();
        data.SetSkinFile(padded);
        QVERIFY(!data.SkinEmpty());
        QCOMPARE(data.Elements().SkinName, QStringLiteral("Other"));
        QCOMPARE(dialogs.boxes.size(), 1);
        QVERIFY2(dialogs.boxes[0].text.startsWith(QStringLiteral("The skin package is damaged: ")),
                 qPrintable(dialogs.boxes[0].text));
    }
};

VELLOMAR_TEST_MAIN(SkinDataTest)
#include "test_skindata.moc"
