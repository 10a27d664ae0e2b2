#include "AppIcon.h"
#include "ClientWindows.h"
#include "MainForm.h"
#include "ServiceHost.h"
#include "StartupTrace.h"
#include "framework/Application.h"
#include "notify/NoticePopupAccessible.h"
#include "sidebar/CommandBarAccessible.h"
#include "skin/SkinData.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vellomar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLOMAR_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Vellomar Chat, the desktop client of the chat service."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption serviceHost(QStringLiteral("service-host"),
                                         QStringLiteral("Address of the chat service (default: %1).").arg(kDefaultServiceHost),
                                         QStringLiteral("URL"));
    options.addOption(serviceHost);
    const QCommandLineOption skinOption(QStringLiteral("skin"), QStringLiteral("Use the skin package FILE."),
                                        QStringLiteral("FILE"));
    options.addOption(skinOption);
    // parse() rather than process(): the browser engine's own switches must pass.
    options.parse(QCoreApplication::arguments());
    if (options.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(options.helpText()), stdout);
        return 0;
    }
    if (options.isSet(QStringLiteral("version"))) {
        std::printf("vellomar %s\n", VELLOMAR_VERSION);
        return 0;
    }

    SetServiceHost(ResolveServiceHost(options.value(serviceHost), qEnvironmentVariable("VELLOMAR_SERVICE_HOST")));
    app.SetTitle(QStringLiteral("Vellomar Chat"));
    InstallCommandBarAccessibility();
    InstallNoticePopupAccessibility();
    app.setWindowIcon(AppIcon());
    const ClientWindows windows(app);
    StartupTrace::Watch(windows.Form1, windows.Form1->www);
    if (options.isSet(skinOption)) {
        const QString skinFile = options.value(skinOption);
        if (!QFileInfo(skinFile).isFile())
            std::fprintf(stderr, "vellomar: no skin file %s\n", qPrintable(skinFile));
        windows.Form1->SkinData1->SetSkinFile(skinFile);
    }
    return app.Run();
}
