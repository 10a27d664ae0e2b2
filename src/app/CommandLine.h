#pragma once
#include <QCommandLineParser>
#include <QString>

// The client's command line. It is read before the application object exists, so that --help
// and --version answer without a display (the man page is made from them at build time).
class ClientCommandLine {
public:
    ClientCommandLine();

    // Takes the arguments as given; the browser engine's own switches pass untouched.
    void Parse(int argc, char** argv);

    // --help, --help-all or --version: Answer() prints the text and ends the process; the client
    // does not start.
    bool AnswersAtOnce() const;
    [[noreturn]] void Answer();

    QString ServiceHost() const { return parser_.value(serviceHost_); }
    bool HasSkinFile() const { return parser_.isSet(skin_); }
    QString SkinFile() const { return parser_.value(skin_); }
    bool Minimized() const { return parser_.isSet(minimized_); }
    bool NoSkin() const { return parser_.isSet(noSkin_); }
    bool SkinGallery() const { return parser_.isSet(skinGallery_); }

private:
    QStringList arguments_;
    QCommandLineParser parser_;
    QCommandLineOption serviceHost_;
    QCommandLineOption skin_;
    QCommandLineOption minimized_;
    QCommandLineOption noSkin_;
    QCommandLineOption skinGallery_;
};
