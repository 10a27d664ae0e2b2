#pragma once
#include "framework/Color.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>

class QPainter;
class TSkinData;
class TWinSkinForm;
struct TSkinElements;

// The control skinners the mapping can choose, one per skinner class.
enum class TSkinnerKind {
    Tab,
    Tab31,
    CheckBox,
    RadioButton,
    GroupBox,
    Box,
    TrackBar,
    UpDown,
    StatusBar,
    Progress,
    ScControl,
    ComBox,
    Edit,
    Scrollbar,
    ListView,
    BitButton,
    SpeedButton,
    Button,
    Sizer,
    Header,
};

// How a skinner is attached: recolour saves the control's colour and gives it the skin's
// ButtonFace; onWindow makes it work on the raw widget rather than through the control's class;
// withBorder gives scroll-bar skinners a skinned border.
struct TSkinnerOptions {
    bool recolour = false;
    bool onWindow = false;
    bool withBorder = false;
};

// A control skinner: attached to one control of a skinned window, owned by the control (it goes
// with it) and listed by the window skinner, which restores and frees it when it detaches.
//
// It sees every event of its control first (an event filter) and runs the message cycle:
// BeforeMessage decides whether the control gets the event; after the control has handled it,
// AfterMessage runs. A paint passed on reaches the control first, so AfterMessage paints the skin
// over what the control drew; the other events Qt sends are notices of a change already made
// (focus, enabled state), so their AfterMessage runs as they pass.
class TSkinControl : public QObject {
    Q_OBJECT

public:
    enum TLifecycle { lcNew = 0, lcAttached = 1, lcRestored = 2, lcDestroyed = 6 };
    enum TStateFlag { stHot = 1, stPressed = 2 };

    TSkinControl(QWidget* control, TSkinnerKind kind);
    ~TSkinControl() override;

    TSkinnerKind Kind() const { return kind_; }
    QWidget* Control() const { return control_; }
    TSkinData* SkinData() const;
    TWinSkinForm* WindowSkinner() const;
    const TSkinnerOptions& Options() const { return options_; }
    int Lifecycle() const { return lifecycle_; }
    bool Initialised() const { return lifecycle_ != lcNew; }
    // Hot (the mouse is over it) and pressed, as the skinner tracks them.
    int State() const { return state_; }
    bool IsHot() const { return state_ & stHot; }
    bool IsPressed() const { return state_ & stPressed; }
    // The screen rectangle of the control at its last skinned paint.
    QRect LastWindowRect() const { return lastWindowRect_; }

    // Attaches to a control of a form; a second call does nothing.
    virtual void Init(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options);
    // Attaches to a child widget of a window that has no form.
    virtual void InitWindow(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options);
    // Gives the control back what the skinner changed; called before the skinner is freed.
    virtual void Restore();
    // The skin was refreshed: recolour again and repaint.
    virtual void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) final;

    // Before the control sees the event: true passes it on, false answers it here.
    virtual bool BeforeMessage(QEvent* event);
    // After the control has handled the event (a paint: after it painted itself).
    virtual void AfterMessage(QEvent* event);
    // An event of another widget this skinner watches (a scroll area's scroll bars, a viewport):
    // true passes it on.
    virtual bool PartMessage(QWidget* part, QEvent* event);
    // Paints the skin over the whole control with a painter on it.
    void PaintFrame(QPainter& painter);
    // The skin's own drawing of the control's rectangle; the base draws nothing.
    virtual void Paint(QPainter& painter, const QRect& rect);
    // False for a skinner that only recolours: it never looks at the control's events.
    virtual bool SeesMessages() const { return true; }
    // Runs once, at the end of the first initialisation of either kind: a skinner that takes
    // in parts of its control (a spin box's buttons, a scroll area's bars) does that here.
    virtual void Attached() {}

    // Repaints the whole control at once.
    void Repaint();
    // Hands a paint (or another event) to the widget as if this skinner were not there.
    void PassOn(QObject* target, QEvent* event);
    // Sees the events of another widget too, until the skinner goes.
    void WatchPart(QWidget* part);
    void SetState(TStateFlag flag, bool on);

    // The elements of the skin in use (kept alive while the skinner keeps them).
    const TSkinElements& Elements() const;
    // The window skinner's off-screen bitmap, at least `size` big, shared by its skinners.
    QImage& Canvas(const QSize& size);
    TColor ButtonFace() const;

    // Hot tracking: at most one control of a window is hot. Makes this one the window's hot
    // control (the previous one hears mouse-leave) or stops it being that.
    void BecomeHotControl();
    void StopBeingHotControl();

    // True while the control is still whole: a control being destroyed has lost its class.
    bool ControlAlive() const;

private:
    void Attach(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options);

    TSkinnerKind kind_;
    QPointer<QWidget> control_;
    const QMetaObject* controlClass_;
    QPointer<QObject> skinData_;
    QPointer<QObject> windowSkinner_;
    std::shared_ptr<const TSkinElements> elements_;
    TSkinnerOptions options_;
    int lifecycle_ = lcNew;
    int state_ = 0;
    QRect lastWindowRect_;
    TColor savedColour_ = clNone;
    bool hadOwnPalette_ = false;
    QList<QPointer<QWidget>> parts_;
    // The event being handed on: the filter lets it through untouched.
    QEvent* passingOn_ = nullptr;
};

// A new skinner of the kind for the control (owned by the control), not yet initialised.
TSkinControl* CreateSkinControl(TSkinnerKind kind, QWidget* control);

// The background colour of a control: its published "Color" when it has one, else its palette's.
TColor ControlColour(const QWidget* control);
void SetControlColour(QWidget* control, TColor colour);
// Tells a control's skinner that its hot state is over (the mouse-leave notification).
void SendMouseLeave(QWidget* control);
