// The control skinners on a skinned form: which frame of the skin each state of a push button
// and a check box shows (read back by pixels from small skins of solid frames), pressing and
// releasing, hot tracking across buttons, a dialog's own buttons, controls left as they draw
// themselves when the skin lacks their element, switching off and on, and controls destroyed
// while skinned.
#include "ControlSkinFixture.h"
#include "framework/Controls.h"
#include "skin/ControlProperties.h"
#include "skin/SkinBitButton.h"
#include "skin/SkinControl.h"
#include "skin/SkinToggle.h"
#include "skin/StoredSkin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>

namespace {

// The Buttons element's frames: normal, pressed, disabled, hot or focused, default. The disabled
// frame is a neutral grey, so grey text on it leaves the whole button neutral.
const QRgb kButtonFrames[5] = {qRgb(0, 0, 200), qRgb(0, 200, 0), qRgb(192, 192, 192), qRgb(0, 200, 200),
                               qRgb(200, 200, 0)};
const QRgb kCaptionRed = qRgb(255, 0, 0);

// Check images: 1-based frame k is kToggle[k - 1].
QList<QRgb> ToggleColours(int count)
{
    QList<QRgb> colours;
    for (int k = 0; k < count; ++k)
        colours.append(qRgb(10 + 20 * k, 250 - 20 * k, 100));
    return colours;
}

QImage ToggleStrip(int frameWidth, int count)
{
    QImage image(frameWidth * count, 14, QImage::Format_RGB32);
    const QList<QRgb> colours = ToggleColours(count);
    for (int k = 0; k < count; ++k)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < frameWidth; ++x)
                image.setPixel(k * frameWidth + x, y, colours[k]);
    return image;
}

// The test skin with a Buttons element of five solid frames and caption colours in red, and a
// check image of `checkFrames` frames `checkWidth` pixels wide (none when 0).
QByteArray ButtonSkin(int checkWidth = 14, int checkFrames = 4, bool withButtons = true)
{
    TestSkin skin;
    skin.sections += "[Buttons]\nLeftWidth=3\nRightWidth=3\nTopHeight=3\nBottomHeight=3\nTrans=0\n"
                     "NormalColour2=255 0 0\nMouseOverColour2=255 0 0\nPressedColour2=255 0 0\n";
    if (withButtons) {
        skin.sections += "Bitmap=buttons.bmp\n";
        skin.pictures["buttons.bmp"] = FrameStrip(
            {12, 12}, {kButtonFrames[0], kButtonFrames[1], kButtonFrames[2], kButtonFrames[3], kButtonFrames[4]});
    }
    if (checkFrames > 0) {
        skin.sections += "CheckButton=check.bmp\n";
        skin.pictures["check.bmp"] = ToggleStrip(checkWidth, checkFrames);
    }
    return skin.Package();
}

// The frame of the Buttons element shown at the button's top-left corner, or 0.
int ShownButtonFrame(QWidget* button)
{
    const QRgb corner = Grab(button).pixel(1, 1) & RGB_MASK;
    for (int k = 0; k < 5; ++k)
        if (corner == (kButtonFrames[k] & RGB_MASK))
            return k + 1;
    return 0;
}

bool HasRedText(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > qGreen(p) + 60 && qRed(p) > qBlue(p) + 60)
                return true;
        }
    return false;
}

// True when every pixel is a shade of grey and some are darker than the disabled frame: grey
// text on a grey frame.
bool OnlyGreyText(const QImage& image)
{
    bool text = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                return false;
            text = text || qRed(p) < 180;
        }
    return text;
}

void SendEnter(QWidget* control)
{
    const QPointF inside(control->width() / 2.0, control->height() / 2.0);
    QEnterEvent enter(inside, inside, control->mapToGlobal(inside));
    QCoreApplication::sendEvent(control, &enter);
}

bool ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace

class ControlSkinnersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSkinData> data;
    std::unique_ptr<TestForm> form;

    void LoadSkin(const QByteArray& package) { data.reset(LoadedSkinData(package)); }
    // A form holding the controls, shown with the skin.
    bool ShowForm(std::initializer_list<QWidget*> controls)
    {
        form = std::make_unique<TestForm>();
        form->BeginLayout();
        int top = 8;
        for (QWidget* control : controls) {
            control->setParent(form->ClientArea());
            control->setGeometry(8, top, 120, 28);
            top += 36;
            form->AddComponent(control);
        }
        form->EndLayout();
        return ShowActive(form.get());
    }

private slots:
    void cleanup()
    {
        form.reset();
        ResetSkinManager();
        data.reset();
    }

    void pushButtonFrames_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("redCaption");
        QTest::newRow("normal") << "normal" << 1 << true;
        QTest::newRow("pressed") << "pressed" << 2 << true;
        QTest::newRow("disabled") << "disabled" << 3 << false;
        QTest::newRow("disabled while hot") << "disabled hot" << 3 << false;
        QTest::newRow("hot") << "hot" << 4 << true;
        QTest::newRow("focused") << "focused" << 4 << true;
        QTest::newRow("default") << "default" << 5 << false;
        QTest::newRow("default and focused") << "default focused" << 5 << false;
        QTest::newRow("default and hot") << "default hot" << 4 << true;
    }
    void pushButtonFrames()
    {
        QFETCH(QString, state);
        QFETCH(int, frame);
        QFETCH(bool, redCaption);
        LoadSkin(ButtonSkin());
        auto* button = new QPushButton(QStringLiteral("Caption"));
        auto* other = new QPushButton(QStringLiteral("Other"));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setDefault(state.contains(u"default"));
        button->setEnabled(!state.contains(u"disabled"));
        QVERIFY(ShowForm({other, button}));
        other->setFocus();
        if (state.contains(u"focused")) {
            button->setFocus();
            QVERIFY(button->hasFocus());
        }
        if (state.contains(u"hot"))
            SendEnter(button);
        if (state == u"pressed")
            QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        QCOMPARE(ShownButtonFrame(button), frame);
        const QImage shown = Grab(button);
        if (state.contains(u"disabled"))
            QVERIFY(OnlyGreyText(shown));
        QCOMPARE(HasRedText(shown), redCaption);
    }

    void pressAndRelease_data()
    {
        QTest::addColumn<bool>("releaseInside");
        QTest::newRow("released over it") << true;
        QTest::newRow("released outside") << false;
    }
    void pressAndRelease()
    {
        QFETCH(bool, releaseInside);
        LoadSkin(ButtonSkin());
        auto* button = new QPushButton(QStringLiteral("Press"));
        // Without the focus, which would show frame 4 after the press.
        button->setFocusPolicy(Qt::NoFocus);
        QVERIFY(ShowForm({button}));
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        TSkinControl* skinner = SkinnerFor(form.get(), button);
        QVERIFY(skinner);
        const QPoint outside(button->width() + 40, button->height() + 40);
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        // The press is the skinner's alone: the button neither shows it nor holds the mouse.
        QVERIFY(skinner->IsPressed());
        QVERIFY(!button->isDown());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        if (!releaseInside)
            QTest::mouseMove(button, outside);
        QTest::mouseRelease(button, Qt::LeftButton, {}, releaseInside ? button->rect().center() : outside);
        QCOMPARE(clicked.count(), releaseInside ? 1 : 0);
        QVERIFY(!skinner->IsPressed());
        QVERIFY(!button->isDown());
        QCOMPARE(ShownButtonFrame(button), 1);
    }

    void spaceKeyShowsThePressAndClicks()
    {
        LoadSkin(ButtonSkin());
        auto* button = new QPushButton(QStringLiteral("Space"));
        button->setFocusPolicy(Qt::StrongFocus);
        QVERIFY(ShowForm({button}));
        button->setFocus();
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::keyPress(button, Qt::Key_Space);
        QCOMPARE(ShownButtonFrame(button), 2);
        QTest::keyRelease(button, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(ShownButtonFrame(button), 4);
    }

    void onlyOneButtonOfAWindowIsHot()
    {
        LoadSkin(ButtonSkin());
        auto* first = new QPushButton(QStringLiteral("First"));
        auto* second = new QPushButton(QStringLiteral("Second"));
        // Focus would show frame 4 too.
        first->setFocusPolicy(Qt::NoFocus);
        second->setFocusPolicy(Qt::NoFocus);
        QVERIFY(ShowForm({first, second}));
        TSkinControl* firstSkinner = SkinnerFor(form.get(), first);
        TSkinControl* secondSkinner = SkinnerFor(form.get(), second);
        SendEnter(first);
        QVERIFY(firstSkinner->IsHot());
        QCOMPARE(SkinnerOf(form.get())->HotControl(), firstSkinner);
        // The pointer reaches the second button without the first hearing it leave.
        SendEnter(second);
        QVERIFY(secondSkinner->IsHot());
        QVERIFY(!firstSkinner->IsHot());
        QCOMPARE(SkinnerOf(form.get())->HotControl(), secondSkinner);
        QCOMPARE(ShownButtonFrame(first), 1);
        QCOMPARE(ShownButtonFrame(second), 4);
        // The window's hover timer lets the hot button go once the pointer is elsewhere.
        QCursor::setPos(form->mapToGlobal(QPoint(-200, -200)));
        QTRY_VERIFY(!secondSkinner->IsHot());
        QCOMPARE(SkinnerOf(form.get())->HotControl(), nullptr);
    }

    void aDialogButtonReportsItsClickOnRelease()
    {
        LoadSkin(ButtonSkin());
        QMessageBox box(QMessageBox::Question, QStringLiteral("Question"), QStringLiteral("Sure?"),
                        QMessageBox::Yes | QMessageBox::No);
        QVERIFY(ShowAndWait(&box));
        QAbstractButton* yes = box.button(QMessageBox::Yes);
        TSkinControl* skinner = SkinnerFor(&box, yes);
        QVERIFY(skinner);
        QSignalSpy answered(&box, &QMessageBox::buttonClicked);
        QTest::mousePress(yes, Qt::LeftButton, {}, yes->rect().center());
        QCOMPARE(ShownButtonFrame(yes), 2);
        QCoreApplication::processEvents();
        QCOMPARE(answered.count(), 0);
        QTest::mouseRelease(yes, Qt::LeftButton, {}, yes->rect().center());
        QTRY_COMPARE(answered.count(), 1);
        QCOMPARE(answered.first().first().value<QAbstractButton*>(), yes);
    }

    void checkBoxFrames_data()
    {
        QTest::addColumn<int>("frameWidth");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("checkState");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("frame");
        // A 56-pixel image: four frames.
        QTest::newRow("4: unchecked") << 14 << 4 << int(Qt::Unchecked) << true << 1;
        QTest::newRow("4: checked") << 14 << 4 << int(Qt::Checked) << true << 2;
        QTest::newRow("4: disabled") << 14 << 4 << int(Qt::Unchecked) << false << 3;
        QTest::newRow("4: disabled checked") << 14 << 4 << int(Qt::Checked) << false << 4;
        QTest::newRow("4: indeterminate") << 14 << 4 << int(Qt::PartiallyChecked) << true << 4;
        QTest::newRow("12: unchecked") << 13 << 12 << int(Qt::Unchecked) << true << 1;
        QTest::newRow("12: checked") << 13 << 12 << int(Qt::Checked) << true << 5;
        QTest::newRow("12: disabled") << 13 << 12 << int(Qt::Unchecked) << false << 4;
        QTest::newRow("12: disabled checked") << 13 << 12 << int(Qt::Checked) << false << 8;
        QTest::newRow("12: indeterminate") << 13 << 12 << int(Qt::PartiallyChecked) << true << 9;
        QTest::newRow("12: disabled indeterminate") << 13 << 12 << int(Qt::PartiallyChecked) << false << 12;
    }
    void checkBoxFrames()
    {
        QFETCH(int, frameWidth);
        QFETCH(int, frames);
        QFETCH(int, checkState);
        QFETCH(bool, enabled);
        QFETCH(int, frame);
        LoadSkin(ButtonSkin(frameWidth, frames));
        QCOMPARE(data->Elements().Buttons->CheckButtonFrame, frames);
        auto* box = new QCheckBox(QStringLiteral("Check"));
        box->setTristate(checkState == Qt::PartiallyChecked);
        box->setCheckState(Qt::CheckState(checkState));
        box->setEnabled(enabled);
        QVERIFY(ShowForm({box}));
        auto* skinner = qobject_cast<TSkinCheckBox*>(SkinnerFor(form.get(), box));
        QVERIFY(skinner);
        QCOMPARE(skinner->BoxFrame(), frame);
        const QRect shownBox = skinner->BoxRect();
        QCOMPARE(shownBox.width(), frameWidth);
        // Narrower than 15 pixels: centred in a 14-pixel column two pixels in.
        QCOMPARE(shownBox.left(), 2 + (14 - frameWidth) / 2);
        QCOMPARE(Grab(box).pixel(shownBox.center()) & RGB_MASK, ToggleColours(frames)[frame - 1] & RGB_MASK);
    }

    void aCheckBoxFollowsItsState()
    {
        LoadSkin(ButtonSkin());
        auto* box = new QCheckBox(QStringLiteral("Check"));
        QVERIFY(ShowForm({box}));
        auto* skinner = qobject_cast<TSkinCheckBox*>(SkinnerFor(form.get(), box));
        QTest::mouseClick(box, Qt::LeftButton, {}, skinner->BoxRect().center());
        QVERIFY(box->isChecked());
        QCOMPARE(Grab(box).pixel(skinner->BoxRect().center()) & RGB_MASK, ToggleColours(4)[1] & RGB_MASK);
    }

    // Frame 1 across the bar, frame 2 across position × width ÷ upper limit pixels.
    void progressBarFill_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("done");
        QTest::newRow("half") << 0 << 100 << 50 << 60;
        QTest::newRow("a third") << 0 << 3 << 1 << 40;
        QTest::newRow("from an offset") << 10 << 20 << 15 << 60;
        QTest::newRow("empty") << 0 << 100 << 0 << 0;
        QTest::newRow("full") << 0 << 100 << 100 << 120;
        QTest::newRow("no upper limit") << 0 << 0 << 0 << 0;
    }
    void progressBarFill()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, done);
        const QRgb empty = qRgb(40, 40, 160), full = qRgb(40, 160, 40);
        TestSkin skin;
        skin.sections += "[Progress]\nBitmap=progress.bmp\n";
        skin.pictures["progress.bmp"] = FrameStrip({12, 12}, {empty, full});
        LoadSkin(skin.Package());
        auto* bar = new QProgressBar;
        bar->setTextVisible(false);
        bar->setRange(minimum, maximum);
        bar->setValue(value);
        QVERIFY(ShowForm({bar}));
        QCOMPARE(bar->width(), 120);
        const QImage shown = Grab(bar);
        const int y = shown.height() / 2;
        if (done > 0)
            QCOMPARE(shown.pixel(done - 1, y) & RGB_MASK, full & RGB_MASK);
        if (done < shown.width())
            QCOMPARE(shown.pixel(done, y) & RGB_MASK, empty & RGB_MASK);
    }

    // Without its element (or with an empty picture) a control looks as it draws itself.
    void missingElementLeavesTheControlAlone_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("push button") << "QPushButton";
        QTest::newRow("check box") << "QCheckBox";
        QTest::newRow("radio button") << "QRadioButton";
        QTest::newRow("progress bar") << "QProgressBar";
        QTest::newRow("combo box") << "QComboBox";
        QTest::newRow("tool button") << "TSpeedButton";
    }
    void missingElementLeavesTheControlAlone()
    {
        QFETCH(QString, control);
        LoadSkin(ButtonSkin(14, 0, false));
        QWidget* c = nullptr;
        if (control == u"QPushButton")
            c = new QPushButton(QStringLiteral("Button"));
        else if (control == u"QCheckBox")
            c = new QCheckBox(QStringLiteral("Check"));
        else if (control == u"QRadioButton")
            c = new QRadioButton(QStringLiteral("Radio"));
        else if (control == u"QComboBox")
            c = new QComboBox;
        else if (control == u"TSpeedButton")
            c = new TSpeedButton;
        else {
            auto* bar = new QProgressBar;
            bar->setValue(50);
            c = bar;
        }
        QVERIFY(ShowForm({c}));
        TSkinControl* skinner = SkinnerFor(form.get(), c);
        QVERIFY2(skinner, qPrintable(control));
        const QImage skinned = Grab(c);
        c->removeEventFilter(skinner);
        QCOMPARE(skinned, Grab(c));
    }

    void switchingOffRestoresAndOnReskins()
    {
        LoadSkin(StoredSkinPackage());
        data->SetActive(false);
        auto* button = new QPushButton(QStringLiteral("Button"));
        auto* check = new QCheckBox(QStringLiteral("Check"));
        check->setChecked(true);
        auto* progress = new QProgressBar;
        progress->setValue(50);
        auto* edit = new QLineEdit(QStringLiteral("Edit"));
        auto* group = new QGroupBox(QStringLiteral("Group"));
        auto* panel = new TCustomPanel;
        panel->setAutoFillBackground(true);
        const QList<QWidget*> controls{button, check, progress, edit, group, panel};
        QVERIFY(ShowForm({button, check, progress, edit, group, panel}));
        QVERIFY(!SkinnerOf(form.get()));
        QList<QImage> own;
        QList<TColor> ownColours;
        for (QWidget* c : controls) {
            own.append(Grab(c));
            ownColours.append(ControlColour(c));
        }

        data->SetActive(true);
        QTRY_VERIFY(SkinnerOf(form.get()) && SkinnerOf(form.get())->ControlSkinners().size() == controls.size());
        QList<QImage> skinned;
        for (QWidget* c : controls) {
            skinned.append(Grab(c));
            QVERIFY2(skinned.last() != own[skinned.size() - 1], c->metaObject()->className());
        }

        data->SetActive(false);
        QTRY_VERIFY(!SkinnerOf(form.get()));
        for (int i = 0; i < controls.size(); ++i) {
            QCOMPARE(ControlColour(controls[i]), ownColours[i]);
            QVERIFY2(Grab(controls[i]) == own[i], controls[i]->metaObject()->className());
        }

        data->SetActive(true);
        QTRY_VERIFY(SkinnerOf(form.get()) && SkinnerOf(form.get())->ControlSkinners().size() == controls.size());
        for (int i = 0; i < controls.size(); ++i)
            QVERIFY2(Grab(controls[i]) == skinned[i], controls[i]->metaObject()->className());
    }

    // Run under AddressSanitizer too: nothing may point at a control that went.
    void controlsDestroyedWhileSkinned()
    {
        LoadSkin(StoredSkinPackage());
        auto* hot = new QPushButton(QStringLiteral("Hot"));
        auto* other = new QPushButton(QStringLiteral("Other"));
        auto* spin = new QSpinBox;
        auto* memo = new QPlainTextEdit(QStringLiteral("line\n").repeated(50));
        auto* tabs = new QTabWidget;
        tabs->addTab(new QWidget, QStringLiteral("Tab"));
        auto* slider = new QSlider(Qt::Horizontal);
        auto* combo = new QComboBox;
        auto* bar = new QStatusBar;
        QVERIFY(ShowForm({hot, other, spin, memo, tabs, slider, combo, bar}));
        TWinSkinForm* skinner = SkinnerOf(form.get());
        SendEnter(hot);
        QVERIFY(skinner->HotControl());
        delete hot;
        QCOMPARE(skinner->HotControl(), nullptr);
        SendEnter(other);
        QCOMPARE(skinner->HotControl(), SkinnerFor(form.get(), other));
        for (QWidget* c : std::initializer_list<QWidget*>{spin, memo, tabs, slider, combo, bar, other})
            delete c;
        QCOMPARE(skinner->ControlSkinners().size(), 0);
        QCursor::setPos(form->mapToGlobal(QPoint(-200, -200)));
        QTest::qWait(100);
        form->update();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        skinner->Detach();
    }

    void propertiesReadByName_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("ordinal");
        QTest::newRow("text") << QByteArray("Caption") << "Go" << 0;
        QTest::newRow("any case") << QByteArray("caption") << "Go" << 0;
        QTest::newRow("enumeration") << QByteArray("Layout") << "blGlyphTop" << int(blGlyphTop);
        QTest::newRow("boolean") << QByteArray("Default") << "true" << 1;
        QTest::newRow("integer") << QByteArray("Margin") << "7" << 7;
        QTest::newRow("missing") << QByteArray("Alignment") << "" << 0;
    }
    void propertiesReadByName()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, text);
        QFETCH(int, ordinal);
        TBitBtn button;
        button.setText(QStringLiteral("Go"));
        button.Layout = blGlyphTop;
        button.Margin = 7;
        button.setDefault(true);
        QCOMPARE(ReadStringProperty(&button, name.constData()), text);
        QCOMPARE(ReadOrdinalProperty(&button, name.constData()), ordinal);
    }

    void glyphAndCaptionPlacement_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<QRect>("glyph");
        QTest::addColumn<QRect>("text");
        // A 100 × 40 button, a 16 × 16 glyph, a 40 × 12 caption.
        QTest::newRow("left, margin 4, spacing 4")
            << int(blGlyphLeft) << 4 << 4 << QRect(4, 12, 16, 16) << QRect(24, 14, 40, 12);
        QTest::newRow("left, centred block")
            << int(blGlyphLeft) << -1 << 4 << QRect(20, 12, 16, 16) << QRect(40, 14, 40, 12);
        QTest::newRow("left, equal gaps")
            << int(blGlyphLeft) << -1 << -1 << QRect(14, 12, 16, 16) << QRect(44, 14, 40, 12);
        QTest::newRow("right, margin 4") << int(blGlyphRight) << 4 << 4 << QRect(80, 12, 16, 16)
                                         << QRect(36, 14, 40, 12);
        QTest::newRow("top, centred block")
            << int(blGlyphTop) << -1 << 2 << QRect(42, 5, 16, 16) << QRect(30, 23, 40, 12);
        QTest::newRow("bottom, margin 2")
            << int(blGlyphBottom) << 2 << 2 << QRect(42, 22, 16, 16) << QRect(30, 8, 40, 12);
    }
    void glyphAndCaptionPlacement()
    {
        QFETCH(int, layout);
        QFETCH(int, margin);
        QFETCH(int, spacing);
        QFETCH(QRect, glyph);
        QFETCH(QRect, text);
        const TGlyphPlacement placed = PlaceGlyphAndText(QRect(0, 0, 100, 40), QSize(16, 16), QSize(40, 12),
                                                         TButtonLayout(layout), margin, spacing);
        QCOMPARE(placed.glyph, glyph);
        QCOMPARE(placed.text, text);
    }
};

VELLOMAR_TEST_MAIN(ControlSkinnersTest)
#include "test_control_skinners.moc"
