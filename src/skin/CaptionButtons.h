#pragma once
#include <QIcon>
#include <QImage>
#include <QRect>

#include <memory>

class QPainter;
class TDataSkinSysButton;
class TWinSkinForm;
struct TSkinElements;

// What a caption button's visibility depends on.
struct TCaptionState {
    bool maximised = false;
    bool active = false;
    bool maximizeBox = false;
    bool minimizeBox = false;
    bool systemMenu = false;
    bool dialog = false;
    // A maximised child window's buttons shown in the menu bar; never here, as there are no
    // child windows.
    bool childMaximisedInMenuBar = false;
};

// An object of the window frame that the mouse can be over: a caption button or a menu bar
// item. Its rectangle is in window coordinates. State 1 normal, 2 pressed, 3 hot.
class TNCObject {
public:
    enum TState { stNormal = 1, stPressed = 2, stHot = 3 };

    explicit TNCObject(TWinSkinForm* owner) : owner_(owner) {}
    virtual ~TNCObject() = default;

    TWinSkinForm* Owner() const { return owner_; }
    QRect Rect;
    bool Visible = false;
    int State = stNormal;

    // Press and enter make the object the owner's hot one (the previous one is left first).
    virtual void Press();
    virtual void Release();
    virtual void Enter();
    virtual void Leave();
    // Has the object drawn again in its state.
    virtual void Draw();

private:
    TWinSkinForm* owner_;
};

// A caption button: one entry of the skin's caption-button list, as laid out on one window.
class TWinSysButton : public TNCObject {
public:
    // The button keeps the skin elements it was made from alive.
    TWinSysButton(TWinSkinForm* owner, std::shared_ptr<const TSkinElements> elements, const TDataSkinSysButton& element,
                  const QIcon& windowIcon);

    const TDataSkinSysButton& Element() const { return *element_; }
    // What the button does when clicked: the entry's Action (0 close, 1 maximise, 2 minimise,
    // 3 system menu ...).
    int Action() const;
    const QImage& Image() const { return image_; }
    // The window's icon, which the window-icon buttons show instead of an image.
    bool ShowsWindowIcon() const { return !icon_.isNull(); }
    int FrameCount() const { return frameCount_; }
    // Whether the button shows on a window in this state (both visibility codes).
    bool ComputeVisible(const TCaptionState& state) const;
    // Its size: one frame of the image.
    QSize Size() const;
    // The frame it shows: the state's, or 4 on an inactive window when it has 4 or more.
    int FrameFor(bool active) const;
    void Paint(QPainter& painter, bool active) const;

private:
    std::shared_ptr<const TSkinElements> elements_;
    const TDataSkinSysButton* element_;
    QImage image_;
    QIcon icon_;
    int frameCount_;
};

// The small-icon size the window-icon buttons draw the window's icon at.
constexpr int kSmallIconSize = 16;

// One visibility code of a caption button entry (first: the Visibility code, else Visibility1).
bool CaptionVisibility(int code, bool first, int action, const TCaptionState& state);
