#pragma once
#include "CaptionButtons.h"
#include "SkinControl.h"
#include "SkinData.h"
#include "WindowPlacement.h"

#include "framework/Color.h"
#include "framework/Form.h"

#include <QElapsedTimer>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QMargins>
#include <QMenu>
#include <QPointer>
#include <QRegion>
#include <QTimer>

#include <memory>
#include <vector>

class QMouseEvent;
class QPainter;
class TSystemMenu;
class TWinSkinMenu;
struct TSkinElements;

// How a window's frame is drawn: sizeable and fixed windows get the whole frame, a borderless
// pop-up none, a dialog no icon button and its caption text 16 pixels further left.
enum TWindowKind { wkSizeable = 0, wkFixed = 1, wkBorderless = 2, wkDialog = 3 };
enum TShowState { shNormal = 0, shMaximized = 1, shMinimized = 2 };
// What the window's own caption offered when the skin took it over.
enum TCaptionFlag : int { cfMaximizeBox = 1, cfMinimizeBox = 2, cfSystemMenu = 8, cfCaptionRemoved = 0x10 };

// Where the parts of the caption lie on a window of a given size.
struct TCaptionLayout {
    QRect caption; // the top border's strip between the side borders
    QRect text; // the caption text with its background image, widened by its fixed parts
    QString label; // the text drawn: one space, the window's text, two spaces
};

// The frame skinner of one top-level window: takes the window's frame over (the window becomes
// frameless and keeps the skin's border sizes as insets), paints borders, caption, caption
// buttons and menu bar from the skin, shapes the window where the borders are transparent and
// does what the frame did (moving, resizing, caption buttons, system menu, menu bar). It also
// lists the control skinners of its window. The skin manager creates, attaches and frees it.
class TWinSkinForm : public QObject {
    Q_OBJECT

public:
    enum TLifecycle { lcNew = 0, lcReady = 1, lcRefreshing = 3, lcDetaching = 4, lcFirstSizing = 5, lcDestroyed = 6 };

    explicit TWinSkinForm(QWidget* window);
    ~TWinSkinForm() override;

    void AttachToForm(TSkinData* skinData, TForm* form);
    // A window that is not a form (a message box): its controls are found by their kind.
    void AttachToWindow(TSkinData* skinData);
    // Gives the window back its frame, colour, menu, region, size and controls.
    void Detach();
    // Border sizes and caption buttons from the skin data's current elements.
    void RebuildCaptionButtons();
    // The skin changed: colours, control skinners, popup menus, measures and region again.
    void Refresh();
    // Shows or hides the window's own caption.
    void ShowFrame(bool show);
    // Paints borders, caption, caption buttons and menu bar: what lies outside the client area.
    void PaintNonClient(QPainter& painter);
    // The window region from the frame as painted now; applies it to the window.
    void Reshape(bool force = false);

    QWidget* Window() const { return window_; }
    TForm* Form() const { return lifecycle_ == lcDestroyed ? nullptr : form_; }
    TSkinData* SkinData() const { return skinData_; }
    int Lifecycle() const { return lifecycle_; }
    bool FrameSkinned() const { return frameSkinned_; }
    TWindowKind Kind() const { return kind_; }
    TShowState ShowState() const { return showState_; }
    bool IsActive() const { return active_; }
    int CaptionFlags() const { return captionFlags_; }
    bool RightToLeft() const { return rightToLeft_; }
    // Left, top (the caption strip), right and bottom border sizes.
    QMargins Borders() const { return borders_; }
    int MenuHeight() const { return menuHeight_; }
    // The client area in window coordinates: inside the borders and below the menu bar.
    QRect ClientRect() const;
    const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const { return buttons_; }
    TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
    TSystemMenu* SystemMenu() const { return systemMenu_.get(); }
    const QRegion& WindowRegion() const { return region_; }
    // The elements this skinner draws with (kept alive while it does).
    const std::shared_ptr<const TSkinElements>& Elements() const { return elements_; }
    TCaptionLayout LayoutCaption(const QSize& size) const;
    QFont CaptionFont() const { return captionFont_; }

    TNCObject* HotObject() const { return hot_; }
    void SetHotObject(TNCObject* object);
    // Caption buttons or menu items were freed: none is hot or pressed any more.
    void ForgetObjects() { hot_ = pressed_ = nullptr; }
    // The caption button or menu bar item at a point of the window, if any.
    TNCObject* ObjectAt(QPoint pos) const;
    // Repaints a part of the frame.
    void RepaintFrameRect(const QRect& rect);

    // What a caption button (or system menu item) does: 0 close, 1 maximise or restore,
    // 2 minimise or restore, 3 system menu; other actions reach the window as the caption
    // action message.
    void PerformAction(int action, QPoint at = {});
    void Maximize();
    void Minimize();
    void Restore();
    // Opens the system menu at a screen point.
    void OpenSystemMenu(QPoint globalPos);

    // The control skinners of this window.
    void AddControlSkinner(TSkinControl* skinner);
    void RemoveControlSkinner(TSkinControl* skinner);
    bool HasSkinnerFor(const QWidget* control) const;
    QList<TSkinControl*> ControlSkinners() const;
    // The one hot control of the window (its skinner), or nullptr; the hover timer lets it go
    // when the pointer has left it.
    TSkinControl* HotControl() const { return hotControl_; }
    void SetHotControl(TSkinControl* skinner) { hotControl_ = skinner; }
    // The off-screen bitmap the control skinners paint into, at least `size` big.
    QImage& ControlCanvas(const QSize& size);

    // Has a menu (and its sub-menus) drawn by the skin; undone when the skinner detaches.
    void OwnerDrawMenu(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Attach(TSkinData* skinData);
    void FinishAttach();
    void ReadWindowStyle();
    void ApplyInsets();
    void ApplyFrameless(bool frameless);
    void UpdateShowState();
    void SetShowState(TShowState state);
    TCaptionState CaptionState() const;
    void LayoutButtons(const TCaptionLayout& layout);
    void WidenForCaption();
    void PreparePopupMenus();
    void UndoOwnerDrawnMenus();
    void FreeControlSkinners();
    void WindowDestroyed();

    // Painting (WinSkinFramePaint.cpp).
    const QImage& ComposeFrame(const QSize& size, const TCaptionLayout& layout) const;
    void DrawTitleBackground(QImage& frame, const TCaptionLayout& layout) const;
    void DrawCaptionText(QPainter& painter, const TCaptionLayout& layout) const;
    QRegion BandRegion() const;
    QRegion RegionOf(const QImage& frame) const;

    // The mouse in the frame (WinSkinFrameMouse.cpp).
    bool HandleMouse(QEvent* event);
    bool MousePress(QMouseEvent* event);
    bool MouseMove(QMouseEvent* event);
    bool MouseRelease(QMouseEvent* event);
    bool MouseDoubleClick(QMouseEvent* event);
    unsigned ResizeEdgesAt(QPoint pos) const;
    bool InCaption(QPoint pos) const;
    void UpdateCursor(QPoint pos);
    void HoverTick();

    QPointer<QWidget> window_;
    // The form, when the window is one; the window skinner never outlives it unmarked.
    TForm* form_ = nullptr;
    QPointer<TSkinData> skinData_;
    std::shared_ptr<const TSkinElements> elements_;
    int lifecycle_ = lcNew;
    bool frameSkinned_ = false;
    TWindowKind kind_ = wkFixed;
    TShowState showState_ = shNormal;
    int captionFlags_ = 0;
    bool active_ = false;
    bool rightToLeft_ = false;
    bool foreignDialog_ = false;
    QMargins borders_;
    int menuHeight_ = 0;
    QSize clientSizeAtAttach_;
    bool resizedBeforeAttach_ = false;

    std::vector<std::unique_ptr<TWinSysButton>> buttons_;
    std::unique_ptr<TWinSkinMenu> menuBar_;
    std::unique_ptr<TSystemMenu> systemMenu_;
    TNCObject* hot_ = nullptr;
    // The object the left button went down on.
    TNCObject* pressed_ = nullptr;
    QTimer hoverTimer_;
    QElapsedTimer systemMenuOpened_;

    QFont captionFont_;
    // The frame as last composed (borders, caption strip, menu bar), kept to be drawn again.
    mutable QImage frameBuffer_;
    QRegion region_;
    QSize regionSize_;

    // What the window had before, given back on detach.
    QMargins savedInsets_;
    bool savedMouseTracking_ = false;
    TColor savedColour_ = 0;
    bool colourSaved_ = false;
    bool hadOwnPalette_ = false;
    bool clientCursorSet_ = false;

    QList<QPointer<TSkinControl>> controlSkinners_;
    QPointer<TSkinControl> hotControl_;
    QImage controlCanvas_;
    QList<QPointer<QMenu>> ownerDrawnMenus_;

    // Moving and resizing with the mouse.
    struct Press {
        bool pending = false;
        unsigned edges = reNone;
        QPoint globalPos;
    } press_;
    TWindowDrag drag_;
    TWindowSizing sizing_;
};

// The property a menu carries while the skin draws its items: 1 a menu bar's drop-down, 2 a
// popup menu (its items measure wider).
inline constexpr char kSkinItemsProperty[] = "vellomarSkinItems";
