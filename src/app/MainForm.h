#pragma once
#include "browser/EmbeddedBrowser.h"
#include "framework/Form.h"

class QStatusBar;
class TSkinData;
class TSplashDialog;

// The main window "Vellomar manager": the sidebar column on the left, the browser pane `www`
// filling the rest, the status bar along the bottom, and the program's non-visual components.
class TForm1 : public TForm {
    Q_OBJECT

public:
    TForm1();

    // Visual components.
    QWidget* SidebarColumn = nullptr;
    TEmbeddedBrowser* www = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    // Non-visual components.
    TSplashDialog* SplashDialog1 = nullptr;
    TSkinData* SkinData1 = nullptr;

    void FormCreate(QObject* Sender);
    void BloginClick(QObject* Sender);
    void Login1Click(QObject* Sender);
    void BHelpClick(QObject* Sender);
    HRESULT wwwGetHostInfo(DOCHOSTUIINFO& pInfo);
    HRESULT wwwShowContextMenu(std::uint32_t dwID, const QPoint& ppt, QObject* pcmdtReserved, QObject* pdispReserved);

    static constexpr int kOuterWidth = 746;
    static constexpr int kOuterHeight = 538;
    static constexpr int kSidebarWidth = 121;
    static constexpr int kStatusBarHeight = 19;
};

extern TForm1* Form1;
