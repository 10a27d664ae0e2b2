// The mouse in the frame of a skinned window: caption buttons and menu items under the pointer,
// moving and resizing, double clicks on the caption, the system menu on the right button.
#include "SkinManager.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

namespace {

// How close to a bottom corner the pointer resizes both ways.
constexpr int kCornerGrip = 16;
// The narrowest edge the pointer resizes from.
constexpr int kEdgeGrip = 4;

Qt::CursorShape CursorFor(unsigned edges)
{
    switch (edges) {
    case reLeft:
    case reRight:
        return Qt::SizeHorCursor;
    case reBottom:
        return Qt::SizeVerCursor;
    case reLeft | reBottom:
        return Qt::SizeBDiagCursor;
    case reRight | reBottom:
        return Qt::SizeFDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

bool TWinSkinForm::InCaption(QPoint pos) const
{
    return pos.y() >= 0 && pos.y() < borders_.top() && pos.x() >= 0 && pos.x() < window_->width();
}

unsigned TWinSkinForm::ResizeEdgesAt(QPoint pos) const
{
    if (kind_ != wkSizeable || showState_ != shNormal)
        return reNone;
    const int w = window_->width(), h = window_->height();
    const bool left = pos.x() < std::max(borders_.left(), kEdgeGrip);
    const bool right = pos.x() >= w - std::max(borders_.right(), kEdgeGrip);
    const bool bottom = pos.y() >= h - std::max(borders_.bottom(), kEdgeGrip);
    unsigned edges = reNone;
    if (left || (bottom && pos.x() < kCornerGrip))
        edges |= reLeft;
    if (right || (bottom && pos.x() >= w - kCornerGrip))
        edges |= reRight;
    if (bottom || ((left || right) && pos.y() >= h - kCornerGrip))
        edges |= reBottom;
    return edges;
}

void TWinSkinForm::UpdateCursor(QPoint pos)
{
    const unsigned edges = window_->rect().contains(pos) ? ResizeEdgesAt(pos) : reNone;
    if (edges == reNone)
        window_->unsetCursor();
    else
        window_->setCursor(CursorFor(edges));
}

bool TWinSkinForm::HandleMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!drag_.Active() && !press_.pending && ClientRect().contains(mouse->position().toPoint())
        && event->type() != QEvent::MouseMove)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return MousePress(mouse);
    case QEvent::MouseButtonRelease:
        return MouseRelease(mouse);
    case QEvent::MouseButtonDblClick:
        return MouseDoubleClick(mouse);
    default:
        return MouseMove(mouse);
    }
}

bool TWinSkinForm::MousePress(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (InCaption(pos))
            OpenSystemMenu(event->globalPosition().toPoint());
        return true;
    }
    if (event->button() != Qt::LeftButton)
        return true;
    if (TNCObject* object = ObjectAt(pos)) {
        if (!active_) {
            window_->raise();
            window_->activateWindow();
        }
        pressed_ = object;
        object->Press();
        return true;
    }
    const unsigned edges = ResizeEdgesAt(pos);
    // A maximised window stays where it is.
    if (edges == reNone && (!InCaption(pos) || showState_ == shMaximized))
        return true;
    press_ = {true, edges, event->globalPosition().toPoint()};
    return true;
}

bool TWinSkinForm::MouseMove(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (drag_.Active()) {
        drag_.Follow(global);
        return true;
    }
    if (press_.pending) {
        if (!(event->buttons() & Qt::LeftButton)) {
            press_.pending = false;
        } else if ((global - press_.globalPos).manhattanLength() >= QApplication::startDragDistance()) {
            press_.pending = false;
            drag_.Begin(window_, press_.edges, press_.globalPos, global);
        }
        return true;
    }
    const QPoint pos = event->position().toPoint();
    if (ClientRect().contains(pos))
        return false;
    UpdateCursor(pos);
    TNCObject* object = active_ ? ObjectAt(pos) : nullptr;
    if (object) {
        if (object != hot_)
            object->Enter();
        return true;
    }
    if (hot_)
        hot_->Leave();
    return false;
}

bool TWinSkinForm::MouseRelease(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    press_.pending = false;
    if (drag_.Active()) {
        drag_.End();
        return true;
    }
    if (event->button() != Qt::LeftButton)
        return !ClientRect().contains(pos);
    TNCObject* under = ObjectAt(pos);
    TNCObject* pressed = pressed_;
    pressed_ = nullptr;
    // A caption button acts when the button goes up over it; menu items acted on the press.
    if (auto* button = dynamic_cast<TWinSysButton*>(pressed); button && under == button && hot_ == button) {
        button->Release();
        PerformAction(button->Action(), event->globalPosition().toPoint());
    }
    return under != nullptr || !ClientRect().contains(pos);
}

bool TWinSkinForm::MouseDoubleClick(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return true;
    // The second press of a double click on a button is a press like the first.
    if (ObjectAt(pos))
        return MousePress(event);
    if (!InCaption(pos))
        return true;
    if (showState_ != shNormal)
        Restore();
    else if (captionFlags_ & cfMaximizeBox)
        Maximize();
    return true;
}

void TWinSkinForm::HoverTick()
{
    if (!window_)
        return;
    if (TSkinManage* manager = TSkinManage::Instance(); manager && manager->MenuTracking())
        return;
    if (QWidget* control = hotControl_ ? hotControl_->Control() : nullptr;
        control && !control->rect().contains(control->mapFromGlobal(QCursor::pos())))
        SendMouseLeave(control);
    if (hot_ && !hot_->Rect.contains(window_->mapFromGlobal(QCursor::pos())))
        hot_->Leave();
}
