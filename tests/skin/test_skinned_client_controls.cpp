// The client's own windows with their controls skinned: the gallery holds a control of every
// kind, each drawn by the skinner meant for it, and switching the skin off gives every one its
// own look back; the login window's buttons, group box and fields are skinned.
#include "SkinFixture.h"
#include "app/LoginForm.h"
#include "app/SkinGallery.h"
#include "framework/Controls.h"
#include "skin/SkinControl.h"
#include "skin/StoredSkin.h"

namespace {

const QStringList kSkinnerClasses = {
    QStringLiteral("TSkinButton"),    QStringLiteral("TSkinBitButton"),   QStringLiteral("TSkinSpeedButton"),
    QStringLiteral("TSkinCheckBox"),  QStringLiteral("TSkinRadioButton"), QStringLiteral("TSkinGroupBox"),
    QStringLiteral("TSkinBox"),       QStringLiteral("TSkinEdit"),        QStringLiteral("TSkinUpDown"),
    QStringLiteral("TSkinComBox"),    QStringLiteral("TSkinProgress"),    QStringLiteral("TSkinTrackBar"),
    QStringLiteral("TSkinScControl"), QStringLiteral("TSkinSizer"),       QStringLiteral("TSkinListView"),
    QStringLiteral("TSkinScrollbar"), QStringLiteral("TSkinHeader"),      QStringLiteral("TSkinTab"),
    QStringLiteral("TSkinTab31"),     QStringLiteral("TSkinStatusBar"),
};

// The skinner classes drawing a control in a window.
QStringList SkinnersOf(const QWidget* window, const QWidget* control)
{
    QStringList classes;
    if (TWinSkinForm* skinner = SkinnerOf(window))
        for (TSkinControl* c : skinner->ControlSkinners())
            if (c->Control() == control)
                classes.append(QLatin1String(c->metaObject()->className()));
    return classes;
}

QImage Grab(QWidget* control)
{
    return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class SkinnedClientControlsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ResetSkinManager(); }

    void everyGalleryControlHasItsSkinner()
    {
        TSkinGallery gallery;
        QVERIFY(ShowAndWait(&gallery));
        for (const QString& skinnerClass : kSkinnerClasses) {
            const QList<QWidget*> controls = gallery.ControlsOf(skinnerClass);
            QVERIFY2(!controls.isEmpty(), qPrintable(skinnerClass));
            for (QWidget* control : controls)
                QVERIFY2(SkinnersOf(&gallery, control).contains(skinnerClass),
                         qPrintable(skinnerClass + u' ' + control->metaObject()->className()));
        }
    }

    void theGalleryOffAndOnAgain()
    {
        TSkinGallery gallery;
        gallery.SkinData1->SetActive(false);
        QVERIFY(ShowAndWait(&gallery));
        QVERIFY(!SkinnerOf(&gallery));
        QList<QWidget*> controls;
        for (const QString& skinnerClass : kSkinnerClasses)
            controls += gallery.ControlsOf(skinnerClass);
        QList<QImage> own;
        QList<TColor> ownColours;
        for (QWidget* control : controls) {
            own.append(Grab(control));
            ownColours.append(ControlColour(control));
        }

        gallery.SkinData1->SetActive(true);
        QTRY_VERIFY(SkinnerOf(&gallery));
        QList<QImage> skinned;
        for (int i = 0; i < controls.size(); ++i) {
            skinned.append(Grab(controls[i]));
            QVERIFY2(skinned[i] != own[i], controls[i]->metaObject()->className());
        }

        gallery.SkinData1->SetActive(false);
        QTRY_VERIFY(!SkinnerOf(&gallery));
        for (int i = 0; i < controls.size(); ++i) {
            QCOMPARE(ControlColour(controls[i]), ownColours[i]);
            QVERIFY2(Grab(controls[i]) == own[i], controls[i]->metaObject()->className());
        }

        gallery.SkinData1->SetActive(true);
        QTRY_VERIFY(SkinnerOf(&gallery));
        for (int i = 0; i < controls.size(); ++i)
            QVERIFY2(Grab(controls[i]) == skinned[i], controls[i]->metaObject()->className());
    }

    void theLoginWindowsControlsAreSkinned()
    {
        std::unique_ptr<TSkinData> data(LoadedSkinData(StoredSkinPackage()));
        TForm3 login;
        QVERIFY(ShowAndWait(&login));
        for (QWidget* button : {static_cast<QWidget*>(login.SpeedButton1), static_cast<QWidget*>(login.SpeedButton2),
                                static_cast<QWidget*>(login.SpeedButton3)})
            QCOMPARE(SkinnersOf(&login, button), QStringList{QStringLiteral("TSkinSpeedButton")});
        QCOMPARE(SkinnersOf(&login, login.GroupBox1), QStringList{QStringLiteral("TSkinGroupBox")});
        for (QWidget* field : {login.username, login.email, login.password})
            QCOMPARE(SkinnersOf(&login, field), QStringList{QStringLiteral("TSkinEdit")});
        // The Login button's glyph sits above its caption, centred across the button: where the
        // glyph's commonest opaque colour shows, on average.
        const QImage shown = Grab(login.SpeedButton1);
        const QImage glyph = login.SpeedButton1->Glyph().convertToFormat(QImage::Format_ARGB32);
        QHash<QRgb, int> opaque;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if (qAlpha(glyph.pixel(x, y)) == 255)
                    ++opaque[glyph.pixel(x, y) & RGB_MASK];
        QRgb commonest = 0;
        for (auto it = opaque.cbegin(); it != opaque.cend(); ++it)
            if (it.value() > opaque.value(commonest))
                commonest = it.key();
        const auto meanOf = [commonest](const QImage& image) {
            QPointF sum;
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if ((image.pixel(x, y) & RGB_MASK) == commonest) {
                        sum += QPointF(x, y);
                        ++count;
                    }
            return count ? sum / count : QPointF(-1000, -1000);
        };
        const QPointF glyphAt = meanOf(shown) - meanOf(glyph);
        QVERIFY2(qAbs(glyphAt.x() - (shown.width() - glyph.width()) / 2.0) <= 2,
                 qPrintable(QString::number(glyphAt.x())));
        // Beside the caption it would be centred upright too.
        QVERIFY2(glyphAt.y() < (shown.height() - glyph.height()) / 2.0 - 4, qPrintable(QString::number(glyphAt.y())));
    }
};

VELLOMAR_TEST_MAIN(SkinnedClientControlsTest)
#include "test_skinned_client_controls.moc"
