#include "MainForm.h"

#include "AppIcon.h"
#include "PageFolders.h"
#include "SplashDialog.h"
#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"
#include "tray/SingleInstance.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TForm1::TForm1(TApplication& application) : application_(application)
{
    BeginLayout();
    // The window's own properties, its create handler among them, come before its components.
    SetCaption(QStringLiteral("Vellomar manager"));
    resize(kOuterWidth, kOuterHeight);
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    setWindowIcon(AppIcon());
    OnCreate = [this](QObject* Sender) { FormCreate(Sender); };

    auto* rows = new QVBoxLayout(ClientArea());
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    rows->addLayout(columns, 1);

    CommandBar4 = AddComponent(new TCommandBar(ClientArea()));
    StoreCommandBar4Settings();
    columns->addWidget(CommandBar4);

    www = AddComponent(new TEmbeddedBrowser(ClientArea()));
    www->setObjectName(QStringLiteral("www"));
    www->SetDownloadOptions(DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS);
    www->SetUserInterfaceOptions(DOCHOSTUIFLAG_FLAT_SCROLLBAR);
    www->OnGetHostInfo = [this](DOCHOSTUIINFO& info) { return wwwGetHostInfo(info); };
    www->OnShowContextMenu = [this](std::uint32_t id, const QPoint& pt, QObject* cmd, QObject* disp) {
        return wwwShowContextMenu(id, pt, cmd, disp);
    };
    columns->addWidget(www, 1);

    StatusBar1 = AddComponent(new TStatusBar(ClientArea()));
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(kStatusBarHeight);
    rows->addWidget(StatusBar1);

    SplashDialog1 = AddComponent(new TSplashDialog(this));
    SplashDialog1->setObjectName(QStringLiteral("SplashDialog1"));
    SplashDialog1->Picture = QImage(QStringLiteral(":/images/splash.png"));
    SplashDialog1->SetDelay(4000);
    SplashDialog1->SetWidth(400);
    SplashDialog1->SetHeight(250);

    // A second copy ends silently, before any of its windows shows.
    SingleInstance1 = AddComponent(new TSingleInstance(this));
    SingleInstance1->setObjectName(QStringLiteral("SingleInstance1"));
    SingleInstance1->SetInformUser(false);
    SingleInstance1->SetRaisePriorInstance(false);

    CreateNotificationComponents();

    // The stored skin is decompressed and loaded while the layout is read. It skins every window
    // of the program: frames, menus and the controls from the main menu's kind to the tabs.
    SkinData1 = AddComponent(new TSkinData(this));
    SkinData1->setObjectName(QStringLiteral("SkinData1"));
    SkinData1->SetActive(true);
    SkinData1->SetDisableTag(99);
    SkinData1->SkinControls.reset();
    for (int kind = xcMainMenu; kind <= xcTab; ++kind)
        SkinData1->SkinControls.set(kind);
    SkinData1->SkinFormtype = sfMainform;
    SkinData1->SetMenuUpdate(true);
    SkinData1->SetSkinStream(StoredSkinPackage());

    CenterOnScreen();
    EndLayout();
}

void TForm1::FormCreate(QObject*)
{
    www->Navigate(RunningPageFolders().pages + QStringLiteral("splash.htm"));
}

void TForm1::OpenInPane(const QString& address)
{
    www->Navigate(address);
}

void TForm1::ShowMainWindow()
{
    Show();
}

void TForm1::BloginClick(QObject*)
{
    if (login_)
        login_->ShowLogin();
}

void TForm1::Login1Click(QObject*)
{
    if (login_)
        login_->ShowLogin();
}

void TForm1::BHelpClick(QObject*)
{
    www->Navigate(RunningPageFolders().pages + QStringLiteral("help.htm"));
}

HRESULT TForm1::wwwGetHostInfo(DOCHOSTUIINFO& pInfo)
{
    pInfo.cbSize = 12;
    pInfo.dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    pInfo.dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT TForm1::wwwShowContextMenu(std::uint32_t, const QPoint&, QObject*, QObject*)
{
    return S_OK;
}
