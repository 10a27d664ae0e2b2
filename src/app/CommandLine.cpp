#include "CommandLine.h"

#include "ServiceHost.h"

#include <QCoreApplication>

#include <cstdlib>

ClientCommandLine::ClientCommandLine()
    : serviceHost_(QStringLiteral("service-host"),
                   QStringLiteral("Address of the chat service (default: %1).").arg(kDefaultServiceHost),
                   QStringLiteral("URL")),
      skin_(QStringLiteral("skin"), QStringLiteral("Use the skin package FILE."), QStringLiteral("FILE")),
      minimized_(QStringLiteral("minimized"),
                 QStringLiteral("Start hidden in the tray, when the desktop has one (for starting at login).")),
      noSkin_(QStringLiteral("no-skin"), QStringLiteral("Start with the toolkit's own window frames and controls.")),
      skinGallery_(QStringLiteral("skin-gallery"),
                   QStringLiteral("Show every kind of control in the skin (the stored one, or the one --skin names) "
                                  "instead of starting the client."))
{
    parser_.setApplicationDescription(QStringLiteral("Vellomar Chat, the desktop client of the chat service."));
    parser_.addHelpOption();
    parser_.addVersionOption();
    parser_.addOptions({serviceHost_, skin_, minimized_, noSkin_, skinGallery_});
}

void ClientCommandLine::Parse(int argc, char** argv)
{
    arguments_.clear();
    for (int i = 0; i < argc; ++i)
        arguments_ << QString::fromLocal8Bit(argv[i]);
    // parse() rather than process(): the browser engine's own switches must pass.
    parser_.parse(arguments_);
}

bool ClientCommandLine::AnswersAtOnce() const
{
    for (const char* name : {"help", "help-all", "version"})
        if (parser_.isSet(QLatin1String(name)))
            return true;
    return false;
}

void ClientCommandLine::Answer()
{
    // A console application is enough to print them; the texts name the program by its
    // command name, however it was started.
    char program[] = "vellomar";
    char* arguments[] = {program, nullptr};
    int count = 1;
    QCoreApplication console(count, arguments);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLOMAR_VERSION));
    QStringList asGiven = arguments_;
    asGiven[0] = QString::fromLatin1(program);
    parser_.process(asGiven);
    std::exit(0);
}
