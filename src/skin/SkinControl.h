#pragma once
#include "framework/Color.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class TSkinData;
class TWinSkinForm;

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
// with it) and listed by the window skinner, which restores and frees it when it detaches. This
// base records the attachment and recolours; each skinner class adds its own painting.
class TSkinControl : public QObject {
    Q_OBJECT

public:
    enum TLifecycle { lcNew = 0, lcAttached = 1, lcRestored = 2 };

    TSkinControl(QWidget* control, TSkinnerKind kind);
    ~TSkinControl() override;

    TSkinnerKind Kind() const { return kind_; }
    QWidget* Control() const { return control_; }
    TSkinData* SkinData() const;
    TWinSkinForm* WindowSkinner() const;
    const TSkinnerOptions& Options() const { return options_; }
    int Lifecycle() const { return lifecycle_; }

    // Attaches to a control of a form; a second call does nothing.
    virtual void Init(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options);
    // Attaches to a child widget of a window that has no form.
    virtual void InitWindow(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options);
    // Gives the control back what the skinner changed; called before the skinner is freed.
    virtual void Restore();
    // The skin was refreshed: recolour again and repaint.
    virtual void Refresh();

private:
    void Attach(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options);
    TColor ButtonFace() const;

    TSkinnerKind kind_;
    QPointer<QWidget> control_;
    QPointer<QObject> skinData_;
    QPointer<QObject> windowSkinner_;
    TSkinnerOptions options_;
    int lifecycle_ = lcNew;
    TColor savedColour_ = clNone;
};

// A new skinner of the kind for the control (owned by the control), not yet initialised.
TSkinControl* CreateSkinControl(TSkinnerKind kind, QWidget* control);

// The background colour of a control: its published "Color" when it has one, else its palette's.
TColor ControlColour(const QWidget* control);
void SetControlColour(QWidget* control, TColor colour);
