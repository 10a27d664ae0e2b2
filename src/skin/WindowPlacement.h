#pragma once
#include <QPoint>
#include <QRect>

class QWidget;

// Whether a window manager runs on the display. Without one a frameless window is moved, resized
// and maximised by the program itself.
bool WindowManagerRunning();

// The edges of a window that a resize moves.
enum TResizeEdge : unsigned { reNone = 0, reLeft = 1, reTop = 2, reRight = 4, reBottom = 8 };

// Moves or resizes a window with the mouse: through the window manager when there is one (it
// takes the pointer over), else by hand as the pointer moves until the button is released.
class TWindowDrag {
public:
    // Starts a drag pressed at one screen position, the pointer now at another; edges reNone
    // moves the window.
    void Begin(QWidget* window, unsigned edges, QPoint pressPos, QPoint globalPos);
    bool Active() const { return window_ != nullptr; }
    // The pointer moved while dragging by hand.
    void Follow(QPoint globalPos);
    void End() { window_ = nullptr; }

private:
    QWidget* window_ = nullptr;
    unsigned edges_ = reNone;
    QPoint start_;
    QRect startGeometry_;
};

// Maximises, restores and minimises a window; without a window manager the maximised window is
// placed on its screen's work area and put back where it was. Restoring a minimised window
// brings it back as it was before.
class TWindowSizing {
public:
    void Maximize(QWidget* window);
    void Restore(QWidget* window);
    void Minimize(QWidget* window);
    // Maximised by the program itself: the window's state does not say so.
    bool MaximizedByHand() const { return placedByHand_; }

private:
    QRect normalGeometry_;
    bool placedByHand_ = false;
};
