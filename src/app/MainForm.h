#pragma once
#include "WindowLinks.h"
#include "browser/EmbeddedBrowser.h"
#include "browser/ExternalBridge.h"
#include "framework/Form.h"
#include "sidebar/CommandBar.h"

class TApplication;
class TSkinData;
class TStatusBar;
class TSplashDialog;
class TImageList;
class TNoticePopup;
class TPopupMenu;
class TSingleInstance;
class TTimer;
class TTrayIcon;

// The main window "Vellomar manager": the sidebar column on the left, the browser pane `www`
// filling the rest, the status bar along the bottom, and the program's non-visual components.
// Closing it for good ends `application`; its login commands and creators use the login window.
class TForm1 : public TForm, public MainPane {
    Q_OBJECT

public:
    static constexpr int kOuterWidth = 746;
    static constexpr int kOuterHeight = 538;
    static constexpr int kSidebarWidth = 121;
    static constexpr int kStatusBarHeight = 19;

    explicit TForm1(TApplication& application);

    // Visual components.
    TCommandBar* CommandBar4 = nullptr;
    TEmbeddedBrowser* www = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    // Non-visual components: start-up picture, single-instance guard, skin, then the notification
    // popup, tray icon and its menu, popup timer, and the pages' external object.
    TSplashDialog* SplashDialog1 = nullptr;
    TSingleInstance* SingleInstance1 = nullptr;
    TSkinData* SkinData1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TNoticePopup* pop2 = nullptr;
    TTimer* Timer1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TTrayIcon* TrayIcon1 = nullptr;
    TExternalBridge* wwwExternal = nullptr;

    // Handlers.
    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender, TCloseAction& Action);
    void BloginClick(QObject* Sender);
    void Login1Click(QObject* Sender);
    void BScriptClick(QObject* Sender);
    void BHTMLClick(QObject* Sender);
    void BHelpClick(QObject* Sender);
    void CommandBar4ItemClick(QObject* Sender, TCommandPanel* APanel, TCommandItem* AItem);
    void TrayIcon1Click(QObject* Sender);
    void Openvellomar1Click(QObject* Sender);
    void CloseVellomar1Click(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    HRESULT wwwGetHostInfo(DOCHOSTUIINFO& pInfo);
    HRESULT wwwShowContextMenu(std::uint32_t dwID, const QPoint& ppt, QObject* pcmdtReserved, QObject* pdispReserved);
    HRESULT wwwGetExternal(QObject*& ppDispatch);
    HRESULT wwwGetIDsOfNames(const QStringList& Names, QList<DISPID>& DispIDs);
    HRESULT wwwInvoke(DISPID DispID, std::uint16_t Flags, const DISPPARAMS& Params, QVariant* VarResult);

    // The login window its login commands show and its creators take the fields from.
    void SetLoginWindow(LoginWindow* login) { login_ = login; }
    // What the login window does with this window.
    void OpenInPane(const QString& address) override;
    void ShowMainWindow() override;

private:
    // The sidebar's stored settings: one large-icon panel with the four commands.
    void StoreCommandBar4Settings();
    void CreateNotificationComponents();

    TApplication& application_;
    LoginWindow* login_ = nullptr;
};
