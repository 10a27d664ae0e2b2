#pragma once
// Control skinners under test: a form of controls shown with a small skin whose elements are
// solid frames, each frame of each element its own colour, so a pixel names the frame drawn.
#include "SkinFixture.h"
#include "skin/SkinControl.h"

#include <QCursor>
#include <QScreen>

// The colour of frame `frame` (1-based) of test element number `element`.
inline QRgb FrameColour(int element, int frame)
{
    return qRgb(30 + 9 * element, 20 + 9 * frame, 230 - 7 * frame);
}

// The frame of the element a pixel shows, or 0.
inline int FrameShown(QRgb pixel, int element, int frames = 23)
{
    for (int k = 1; k <= frames; ++k)
        if ((pixel & RGB_MASK) == (FrameColour(element, k) & RGB_MASK))
            return k;
    return 0;
}

// The bounding box of the pixels showing any frame of an element.
inline QRect ElementArea(const QImage& image, int element)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (FrameShown(image.pixel(x, y), element) > 0)
                area |= QRect(x, y, 1, 1);
    return area;
}

// Adds element `section` to the skin: `frames` solid frames of `size`, side by side (stacked
// when asked), numbered `element` for FrameColour; `keys` go into the section as they are.
inline void AddSolidElement(TestSkin& skin, const QByteArray& section, int element, int frames, QSize size,
                            const QByteArray& keys = {}, bool stacked = false)
{
    QImage strip(stacked ? QSize(size.width(), size.height() * frames) : QSize(size.width() * frames, size.height()),
                 QImage::Format_RGB32);
    for (int k = 0; k < frames; ++k) {
        const QRect part = stacked ? QRect(0, k * size.height(), size.width(), size.height())
                                   : QRect(k * size.width(), 0, size.width(), size.height());
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                strip.setPixel(x, y, FrameColour(element, k + 1));
    }
    const QByteArray file = section.toLower().replace('.', '_') + ".bmp";
    skin.sections += '[' + section + "]\nImage=" + file + '\n' + keys;
    skin.pictures[file] = strip;
}

// The skinner of a control of a window, or nullptr.
inline TSkinControl* SkinnerFor(const QWidget* window, const QWidget* control)
{
    if (TWinSkinForm* skinner = SkinnerOf(window))
        for (TSkinControl* c : skinner->ControlSkinners())
            if (c->Control() == control)
                return c;
    return nullptr;
}

// The control as it paints itself now.
inline QImage Grab(QWidget* control)
{
    return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// What the screen shows of a control: what its last paints left there, without painting it
// again (a state change that never repainted shows here).
inline QImage OnScreen(QWidget* control)
{
    QCoreApplication::processEvents();
    const QPoint at = control->mapTo(control->window(), QPoint());
    return control->screen()
        ->grabWindow(control->window()->winId(), at.x(), at.y(), control->width(), control->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The pointer moved to a point of a control, as a user moves it: the cursor goes there and the
// window hears the move, so the controls it leaves and enters hear that too.
inline void PointAt(QWidget* control, QPoint at)
{
    QCursor::setPos(control->mapToGlobal(at));
    QTest::mouseMove(control->window()->windowHandle(), control->mapTo(control->window(), at));
    QCoreApplication::processEvents();
}

// A form showing controls with the skin of a test.
class ControlForm {
public:
    ~ControlForm() { Close(); }

    void LoadSkin(const QByteArray& package) { data_.reset(LoadedSkinData(package)); }
    TSkinData* Data() const { return data_.get(); }
    TestForm* Form() const { return form_.get(); }

    // Shows the controls, each at its size (`size` for those without one) one under the other,
    // and waits until the form is active.
    bool Show(std::initializer_list<QWidget*> controls, QSize size = QSize(160, 28))
    {
        form_ = std::make_unique<TestForm>(QStringLiteral("Test window"), QSize(360, 360));
        form_->BeginLayout();
        int top = 8;
        for (QWidget* control : controls) {
            control->setParent(form_->ClientArea());
            control->setGeometry(
                QRect(QPoint(8, top),
                      control->size().isValid() && control->testAttribute(Qt::WA_Resized) ? control->size() : size));
            top += control->height() + 8;
            form_->AddComponent(control);
        }
        form_->EndLayout();
        form_->show();
        form_->activateWindow();
        return QTest::qWaitForWindowActive(form_.get());
    }

    TSkinControl* SkinnerOfControl(const QWidget* control) const { return SkinnerFor(form_.get(), control); }

    // The pointer leaves every control for the form's empty bottom-right corner.
    void PointAway() { PointAt(form_.get(), QPoint(form_->width() - 3, form_->height() - 3)); }

    void Close()
    {
        form_.reset();
        ResetSkinManager();
        data_.reset();
    }

private:
    std::unique_ptr<TSkinData> data_;
    std::unique_ptr<TestForm> form_;
};
