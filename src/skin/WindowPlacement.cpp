#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <memory>

bool WindowManagerRunning()
{
    // Other platforms (offscreen too) place their windows themselves.
    if (QGuiApplication::platformName() != u"xcb")
        return true;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return true;
    static constexpr char kCheck[] = "_NET_SUPPORTING_WM_CHECK";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kCheck - 1, kCheck), nullptr), &free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> property(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1),
                               nullptr),
        &free);
    return property && xcb_get_property_value_length(property.get()) >= 4;
}

void TWindowDrag::Begin(QWidget* window, unsigned edges, QPoint pressPos, QPoint globalPos)
{
    window_ = window;
    edges_ = edges;
    start_ = pressPos;
    startGeometry_ = window->geometry();
    // The pointer is already past the drag distance: the window catches up first, so the
    // window manager, which follows the pointer from here on, leaves it under the same spot.
    Follow(globalPos);
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    const Qt::Edges sides = (edges & reLeft ? Qt::LeftEdge : Qt::Edges()) | (edges & reTop ? Qt::TopEdge : Qt::Edges())
        | (edges & reRight ? Qt::RightEdge : Qt::Edges()) | (edges & reBottom ? Qt::BottomEdge : Qt::Edges());
    if (edges == reNone ? handle->startSystemMove() : handle->startSystemResize(sides))
        window_ = nullptr;
}

void TWindowDrag::Follow(QPoint globalPos)
{
    if (!window_)
        return;
    const QPoint d = globalPos - start_;
    if (edges_ == reNone) {
        window_->move(startGeometry_.topLeft() + d);
        return;
    }
    QRect r = startGeometry_;
    const QSize least = window_->minimumSize().expandedTo(QSize(1, 1));
    if (edges_ & reLeft)
        r.setLeft(std::min(r.left() + d.x(), r.right() + 1 - least.width()));
    if (edges_ & reRight)
        r.setRight(std::max(r.right() + d.x(), r.left() + least.width() - 1));
    if (edges_ & reTop)
        r.setTop(std::min(r.top() + d.y(), r.bottom() + 1 - least.height()));
    if (edges_ & reBottom)
        r.setBottom(std::max(r.bottom() + d.y(), r.top() + least.height() - 1));
    window_->setGeometry(r);
}

void TWindowSizing::Maximize(QWidget* window)
{
    if (WindowManagerRunning()) {
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        return;
    }
    // Without a window manager nobody keeps a maximised state: the window is only placed.
    if (!placedByHand_)
        normalGeometry_ = window->geometry();
    placedByHand_ = true;
    if (const QScreen* screen = window->screen())
        window->setGeometry(screen->availableGeometry());
}

void TWindowSizing::Restore(QWidget* window)
{
    // A minimised window comes back as it was before, maximised or not.
    if (window->windowState() & Qt::WindowMinimized) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        return;
    }
    if (placedByHand_) {
        placedByHand_ = false;
        window->setGeometry(normalGeometry_);
        return;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
}

void TWindowSizing::Minimize(QWidget* window)
{
    window->setWindowState(window->windowState() | Qt::WindowMinimized);
}
