#include "AppIcon.h"
#include "ClientWindows.h"
#include "CommandLine.h"
#include "FontConfigWarmUp.h"
#include "MainForm.h"
#include "ServiceHost.h"
#include "SkinGallery.h"
#include "StartupTrace.h"
#include "browser/EngineProxy.h"
#include "framework/Application.h"
#include "notify/NoticePopupAccessible.h"
#include "service/ProxySettings.h"
#include "sidebar/CommandBarAccessible.h"
#include "skin/CaptionButtonsAccessible.h"
#include "skin/SkinData.h"
#include "tray/TrayIcon.h"

#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    ClientCommandLine options;
    options.Parse(argc, argv);
    if (options.AnswersAtOnce())
        options.Answer();

    // The desktop knows the program by these: the window class, the name readers announce, and
    // the launcher entry it belongs to. Window titles stay as the forms set them.
    QCoreApplication::setApplicationName(QStringLiteral("Vellomar Chat"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLOMAR_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vellomar.Chat"));
    FontConfigWarmUp fonts;
    TApplication app(argc, argv);
    fonts.Join();
    // The pane reaches the service through the same proxy as the login check.
    const ProxySettings proxy = EnvironmentProxy();
    RouteEngineThroughProxy(QString::fromLocal8Bit(proxy.http.c_str()), QString::fromLocal8Bit(proxy.https.c_str()),
                            QString::fromLocal8Bit(proxy.noProxy.c_str()));

    if (options.SkinGallery()) {
        const QString skinFile = options.SkinFile();
        if (options.HasSkinFile() && !QFileInfo(skinFile).isFile())
            std::fprintf(stderr, "vellomar: no skin file %s\n", qPrintable(skinFile));
        app.SetTitle(QStringLiteral("Vellomar Chat"));
        app.setWindowIcon(AppIcon());
        auto* gallery = app.CreateForm<TSkinGallery>(skinFile);
        if (options.NoSkin())
            gallery->SkinData1->SetActive(false);
        // The gallery is the whole program: closing it ends it.
        gallery->OnClose = [&app](QObject*, TCloseAction&) { app.Terminate(); };
        return app.Run();
    }

    SetServiceHost(ResolveServiceHost(options.ServiceHost(), qEnvironmentVariable("VELLOMAR_SERVICE_HOST")));
    app.SetTitle(QStringLiteral("Vellomar Chat"));
    InstallCommandBarAccessibility();
    InstallNoticePopupAccessibility();
    InstallCaptionButtonAccessibility();
    app.setWindowIcon(AppIcon());
    const ClientWindows windows(app);
    StartupTrace::MarkWhenShown(windows.Form1, "main-shown");
    QObject::connect(windows.Form1->www, &TEmbeddedBrowser::loadFinished, [] { StartupTrace::Mark("page-loaded"); });
    if (options.HasSkinFile()) {
        const QString skinFile = options.SkinFile();
        if (!QFileInfo(skinFile).isFile())
            std::fprintf(stderr, "vellomar: no skin file %s\n", qPrintable(skinFile));
        windows.Form1->SkinData1->SetSkinFile(skinFile);
    }
    if (options.NoSkin())
        windows.Form1->SkinData1->SetActive(false);
    if (options.Minimized())
        windows.Form1->TrayIcon1->SetStartMinimized(true);
    return app.Run();
}
