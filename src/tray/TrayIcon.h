#pragma once
#include "framework/Component.h"
#include "framework/Events.h"

#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

class TForm;
class TImageList;
class TPopupMenu;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Shift states combine: keys from the keyboard at the time of the message, then the button.
using TShiftState = unsigned;
enum : TShiftState { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };

using TMouseEvent = std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;
using TCycleEvent = std::function<void(QObject* Sender, int NextIndex)>;

// The mouse messages the tray reports for the icon.
enum TTrayMouseMessage : unsigned {
    WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_LBUTTONUP = 0x202, WM_LBUTTONDBLCLK = 0x203,
    WM_RBUTTONDOWN = 0x204, WM_RBUTTONUP = 0x205, WM_MBUTTONDOWN = 0x207, WM_MBUTTONUP = 0x208,
};

// What the icon shows in the tray, refilled before every add, modify and delete.
struct TNotifyIconData {
    static constexpr int kTipSize = 64;
    unsigned cbSize = 88;
    unsigned uID = 1;
    unsigned uFlags = 7;
    unsigned uCallbackMessage = 0x800;
    QIcon hIcon;
    QString szTip; // at most kTipSize - 1 characters
};

// An icon with a tooltip in the desktop's notification area. Mouse actions on it become the
// component's events (all through HandleTrayMessage), the right button (or the left one with
// LeftPopup) opens PopupMenu there, and with MinimizeToTray the form it sits on (the main
// window) hides to the tray when minimised. Without a tray on the desktop that window is never
// hidden where it could not come back: it minimises normally.
class TTrayIcon : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool DesignPreview READ DesignPreview WRITE SetDesignPreview)
    Q_PROPERTY(bool CycleIcons READ CycleIcons WRITE SetCycleIcons)
    Q_PROPERTY(unsigned CycleInterval READ CycleInterval WRITE SetCycleInterval)
    Q_PROPERTY(bool Enabled MEMBER Enabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool IconVisible READ IconVisible WRITE SetIconVisible)
    Q_PROPERTY(int IconIndex READ IconIndex WRITE SetIconIndex)
    Q_PROPERTY(bool LeftPopup MEMBER LeftPopup)
    Q_PROPERTY(bool StartMinimized READ StartMinimized WRITE SetStartMinimized)
    Q_PROPERTY(bool MinimizeToTray MEMBER MinimizeToTray)

public:
    explicit TTrayIcon(QObject* owner);
    ~TTrayIcon() override;

    bool DesignPreview() const { return designPreview_; }
    void SetDesignPreview(bool preview);
    TImageList* IconList() const { return iconList_; }
    void SetIconList(TImageList* list);
    bool CycleIcons() const { return cycleIcons_; }
    void SetCycleIcons(bool cycle);
    unsigned CycleInterval() const { return cycleInterval_; }
    void SetCycleInterval(unsigned ms);
    bool Enabled = true;
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    QIcon Icon() const { return icon_; }
    void SetIcon(const QIcon& icon);
    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool visible);
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    bool LeftPopup = false;
    bool StartMinimized() const { return startMinimized_; }
    // Keeps the application from showing its main window at start when a tray can take it.
    // Set after the owner has loaded (from the command line), it still holds for the start.
    void SetStartMinimized(bool start);
    bool MinimizeToTray = false;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    virtual void ShowIcon();
    virtual void HideIcon();
    virtual void ModifyIcon();

    // Show and hide the form the icon sits on.
    void RevealMainWindow();
    void HideMainWindow();

    // The one handler of the icon's mouse messages; the tray's activations arrive here.
    void HandleTrayMessage(unsigned message);

    const TNotifyIconData& IconData() const { return data_; }
    // Whether the icon is really in a tray right now.
    bool InTray() const { return added_; }
    // Whether the desktop has a tray at all; replaceable for tests.
    std::function<bool()> TrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;

    void Loaded() override;

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void Cycle(int nextIndex);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MinimizeToTrayHandler();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillRecord();
    void ApplyRecord();
    // Adds the icon to the tray or takes it out.
    void PlaceIcon(bool inTray);
    void OpenPopupMenu();
    void CycleStep();
    void Activated(QSystemTrayIcon::ActivationReason reason);
    // Hiding is safe only where the window can come back: a tray with our icon in it.
    bool CanHideToTray() const;
    void ApplyStartMinimized();

    QSystemTrayIcon* tray_;
    QPointer<TForm> ownerForm_;
    QTimer cycleTimer_;
    TNotifyIconData data_;
    TImageList* iconList_ = nullptr;
    TPopupMenu* popupMenu_ = nullptr;
    QIcon icon_;
    QString hint_;
    bool designPreview_ = false;
    bool previewChanging_ = false;
    bool cycleIcons_ = false;
    unsigned cycleInterval_ = 0;
    bool showHint_ = false;
    bool iconVisible_ = true;
    int iconIndex_ = 0;
    bool clickPending_ = false;
    bool added_ = false;
    bool startMinimized_ = false;
    bool loaded_ = false;
};
