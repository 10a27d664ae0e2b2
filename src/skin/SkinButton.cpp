#include "SkinButton.h"
#include "ControlProperties.h"
#include "SkinControlPaint.h"
#include "SkinData.h"
#include "SkinEvents.h"

#include "framework/Canvas.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

TSkinButton::TSkinButton(QWidget* control, TSkinnerKind kind) : TSkinControl(control, kind)
{
}

void TSkinButton::InitWindow(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options)
{
    raw_ = true;
    TSkinControl::InitWindow(windowSkinner, skinData, options);
}

QAbstractButton* TSkinButton::Button() const
{
    return qobject_cast<QAbstractButton*>(Control());
}

bool TSkinButton::HasButtonsPicture() const
{
    return HasPicture(Elements().Buttons.get());
}

QString TSkinButton::Caption() const
{
    QAbstractButton* button = Button();
    const QString text = button ? button->text() : QString();
    return text.isEmpty() ? ReadStringProperty(Control(), "Caption") : text;
}

int TSkinButton::ButtonFrame() const
{
    const auto* push = qobject_cast<const QPushButton*>(Control());
    if (!Control()->isEnabled())
        return 3;
    if (IsPressed())
        return 2;
    if (IsHot())
        return 4;
    if (push && push->isDefault())
        return 5;
    if (Control()->hasFocus())
        return 4;
    return 1;
}

bool TSkinButton::BeforeMessage(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
        if (!HasButtonsPicture())
            return true;
        {
            QPainter painter(Control());
            PaintFrame(painter);
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || !Control()->isEnabled())
            return true;
        if (!Control()->hasFocus() && (Control()->focusPolicy() & Qt::ClickFocus))
            Control()->setFocus(Qt::MouseFocusReason);
        SetState(stPressed, true);
        Repaint();
        return false;
    }
    // The release of a press the button never saw is the skinner's too.
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !IsPressed())
            return true;
        Release(mouse->position().toPoint());
        return false;
    }
    default:
        if (TSkinMessage::Is(event, kControlMouseLeaveMessage)) {
            MouseLeave();
            return false;
        }
        return TSkinControl::BeforeMessage(event);
    }
}

void TSkinButton::AfterMessage(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
            SetState(stPressed, event->type() == QEvent::KeyPress);
            Repaint();
        }
        break;
    }
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        // Held down and dragged off: the button lets go, as if the pointer had left it.
        if (!Control()->rect().contains(at)) {
            if (IsHot() || IsPressed())
                MouseLeave();
        } else if (!IsHot()) {
            SetState(stHot, true);
            BecomeHotControl();
        }
        break;
    }
    case QEvent::Enter:
        MouseEnter();
        break;
    case QEvent::Leave:
        MouseLeave();
        break;
    default:
        TSkinControl::AfterMessage(event);
        break;
    }
}

void TSkinButton::MouseEnter()
{
    if (!Control()->isEnabled())
        return;
    SetState(stHot, true);
    Repaint();
    BecomeHotControl();
}

void TSkinButton::MouseLeave()
{
    if (!Control()->isEnabled())
        return;
    SetState(stHot, false);
    SetState(stPressed, false);
    Repaint();
    StopBeingHotControl();
}

void TSkinButton::Release(const QPoint& at)
{
    SetState(stPressed, false);
    Repaint();
    if (Control()->rect().contains(at))
        Click();
}

void TSkinButton::Click()
{
    QAbstractButton* button = Button();
    if (!button)
        return;
    // A dialog's button tells the dialog through the event loop, as a command would.
    if (raw_)
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    else
        button->click();
}

void TSkinButton::Paint(QPainter& painter, const QRect& rect)
{
    if (!HasButtonsPicture())
        return;
    const int frame = ButtonFrame();
    QImage& canvas = Canvas(rect.size());
    {
        QPainter off(&canvas);
        off.setClipRect(QRect(QPoint(), rect.size()));
        off.fillRect(QRect(QPoint(), rect.size()), ToQColor(ButtonFace()));
        DrawElement(off, QRect(QPoint(), rect.size()), *Elements().Buttons, frame);
        PaintContent(off, QRect(QPoint(), rect.size()), frame);
    }
    painter.drawImage(rect.topLeft(), canvas, QRect(QPoint(), rect.size()));
}

void TSkinButton::PaintContent(QPainter& painter, const QRect& rect, int frame) const
{
    TCanvas canvas(&painter);
    canvas.Font = Control()->font();
    canvas.FontColor = FromQColor(CaptionColour(frame));
    canvas.BrushStyle = bsClear;
    const QString caption = Caption();
    TRect measured = TRect::FromQRect(rect);
    canvas.DrawText(caption, measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    // The measured block, centred both ways.
    TRect block = TRect::FromQRect(rect);
    block.Top = rect.top() + (rect.height() - measured.Height()) / 2;
    block.Bottom = block.Top + measured.Height();
    canvas.DrawText(caption, block, DT_WORDBREAK | DT_CENTER | DT_NOCLIP);
}

QColor TSkinButton::CaptionColour(int frame) const
{
    if (!Control()->isEnabled())
        return QColor(0x80, 0x80, 0x80);
    const TDataSkinButton& buttons = *Elements().Buttons;
    switch (frame) {
    case 1:
        return ToQColor(buttons.NormalColour2);
    case 2:
        return ToQColor(buttons.PressedColour2);
    case 4:
        return ToQColor(buttons.MouseOverColour2);
    default:
        return ToQColor(Elements().Colours.ButtonText);
    }
}
