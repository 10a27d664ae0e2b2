// The skinned frame on a screen scaled by two: every pixel of the skin becomes a whole 2 × 2
// block (no seams, no half pixels), and the pointer finds the buttons where they are drawn.
#include "SkinFixture.h"
#include "skin/StoredSkin.h"

#include <QPainter>

class FrameSkinHiDpiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSkinData> data;

private slots:
    void cleanup()
    {
        ResetSkinManager();
        data.reset();
    }

    void frameIsDrawnInWholePixels_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addRow("our skin") << StoredSkinPackage();
        QTest::addRow("test skin") << TestSkin().Package();
    }
    void frameIsDrawnInWholePixels()
    {
        QFETCH(QByteArray, package);
        data.reset(LoadedSkinData(package));
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(form.devicePixelRatioF(), 2.0);
        TWinSkinForm* skinner = SkinnerOf(&form);
        QVERIFY(skinner);

        // The same frame at one device pixel per pixel.
        QImage reference(form.size(), QImage::Format_RGB32);
        reference.fill(Qt::black);
        {
            QPainter painter(&reference);
            skinner->PaintNonClient(painter);
        }
        const QImage shot = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), form.size() * 2);

        // Text and the window icon are drawn at the screen's own resolution.
        QRegion sharp = skinner->LayoutCaption(form.size()).text;
        for (const auto& button : skinner->CaptionButtons())
            if (button->ShowsWindowIcon())
                sharp += button->Rect;
        const QRegion band = QRegion(form.rect()) - skinner->ClientRect() - sharp;
        const QRegion shown = skinner->WindowRegion().isEmpty() ? band : band & skinner->WindowRegion();
        int checked = 0;
        for (const QRect& r : shown)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    const QRgb expected = reference.pixel(x, y);
                    for (int dy = 0; dy < 2; ++dy)
                        for (int dx = 0; dx < 2; ++dx)
                            if (shot.pixel(2 * x + dx, 2 * y + dy) != expected)
                                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not whole").arg(x).arg(y)));
                    ++checked;
                }
        QVERIFY(checked > 2 * form.height() * 4);
    }

    void theButtonIsWhereItIsDrawn()
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        TWinSkinForm* skinner = SkinnerOf(&form);
        TWinSysButton* maximize = skinner->CaptionButtons()[1].get();
        QCOMPARE(maximize->Action(), 1);
        const QRect r = maximize->Rect;
        QTest::mouseMove(&form, r.topLeft());
        QTRY_COMPARE(maximize->State, int(TNCObject::stHot));
        const QImage shot = form.grab().toImage();
        // The hot frame covers exactly the button's rectangle, doubled.
        QCOMPARE(shot.pixel(2 * r.left(), 2 * r.top()) & RGB_MASK, TestColours::kMaximize[2] & RGB_MASK);
        QCOMPARE(shot.pixel(2 * r.right() + 1, 2 * r.bottom() + 1) & RGB_MASK, TestColours::kMaximize[2] & RGB_MASK);
        QVERIFY((shot.pixel(2 * r.left() - 1, 2 * r.top()) & RGB_MASK) != (TestColours::kMaximize[2] & RGB_MASK));
        QTest::mouseMove(&form, r.topLeft() - QPoint(1, 0));
        QTRY_COMPARE(maximize->State, int(TNCObject::stNormal));
        QTest::mouseClick(&form, Qt::LeftButton, {}, r.bottomRight());
        QTRY_VERIFY(form.isMaximized());
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    TApplication app(argc, argv);
    FrameSkinHiDpiTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_frame_skin_hidpi.moc"
