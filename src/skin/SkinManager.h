#pragma once
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "SkinData.h"

#include <memory>
#include <vector>

class QWidget;
class TForm;
class TSkinData;
class TSkinMenuStyle;
class TWinSkinForm;
class TWinSkinPopMenu;

// The one skin manager of the process. It watches the windows of the program as they are
// polished, shown and destroyed: every window that can be activated gets a frame skinner (and
// through it control skinners) when a skin data serves it, every popup menu a popup skinner.
// Switching skinning on, off or refreshing it waits 250 ms on the action timer.
class TSkinManage : public QObject {
    Q_OBJECT

public:
    enum TAction { kSkinOn = 1, kSkinOff = 2, kSkinRefresh = 3, kPurge = 6 };
    static constexpr int kActionDelayMs = 250;

    // The manager, or nullptr before the first skin data has loaded.
    static TSkinManage* Instance();
    static TSkinManage& Create();
    ~TSkinManage() override;

    // A skin data's owner has been read: register it and, for the main form's, start watching
    // the program's windows and switch on.
    void SkinDataLoaded(TSkinData* data);
    void RegisterSkinData(TSkinData* data);
    void UnregisterSkinData(TSkinData* data);
    const QList<TSkinData*>& SkinDataList() const { return skinData_; }

    // Runs the action after the delay; before the first window was seen, switching on and off
    // takes effect at once.
    void RequestAction(TSkinData* requester, TAction action, int delayMs = kActionDelayMs);
    int PendingAction() const { return pendingAction_; }
    // The action timer's tick.
    void RunPendingAction();

    // Attaches a frame skinner when the window qualifies.
    bool SkinWindow(QWidget* window);
    // Skins a visible form.
    void SkinForm(TForm* form);
    TSkinData* FindSkinDataFor(const QWidget* window) const;

    bool AttachPopup(QMenu* menu);
    bool DetachPopup(QMenu* menu);
    TWinSkinPopMenu* FindPopupSkinner(const QWidget* menu) const;

    TWinSkinForm* FindWindowSkinner(const QWidget* window) const;
    // Frees the skinners of windows that are gone.
    void PurgeDestroyed();
    const std::vector<std::unique_ptr<TWinSkinForm>>& WindowSkinners() const { return windowSkinners_; }

    bool Enabled() const { return enabled_; }
    int ReadyCounter() const { return readyCounter_; }
    // Set while a menu bar's drop-down is tracked.
    bool MenuTracking() const { return menuTracking_; }
    void SetMenuTracking(bool tracking) { menuTracking_ = tracking; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TSkinManage();
    void WindowSeen(QWidget* window);
    TSkinData* FirstMainFormData() const;
    bool ClassVetoed(const QWidget* window) const;
    void DetachAndFree(std::vector<std::unique_ptr<TWinSkinForm>>::iterator at);
    void RunOnlyThisFormAction(TSkinData* requester, int action);
    void RunAction(TSkinData* requester, int action);

    QTimer actionTimer_;
    bool watching_ = false;
    std::vector<std::unique_ptr<TWinSkinForm>> windowSkinners_;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popupSkinners_;
    QList<TSkinData*> skinData_;
    std::unique_ptr<TSkinMenuStyle> menuStyle_;
    bool enabled_ = false;
    int readyCounter_ = 0;
    bool menuTracking_ = false;
    int pendingAction_ = 0;
    QPointer<TSkinData> requester_;
};
