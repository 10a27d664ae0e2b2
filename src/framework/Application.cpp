#include "Application.h"

#include "Dialogs.h"
#include "Exception.h"
#include "Form.h"

#include <QCoreApplication>
#include <QFont>

TApplication* Application = nullptr;

void PrepareProcess()
{
    // Windows placed by the program itself (start-up picture, popup) need X11 coordinates.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

QString ExecutableFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

TApplication::TApplication(int& argc, char** argv) : QApplication((PrepareProcess(), argc), argv)
{
    Application = this;
    setQuitOnLastWindowClosed(false);
    // The layouts' dialog font is narrow: of the fonts at hand the metric-compatible sans
    // comes closest, so captions take about the width the layouts give them.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

TApplication::~TApplication()
{
    DestroyForms();
    Application = nullptr;
}

int TApplication::Run()
{
    if (terminated_) {
        DestroyForms();
        return 0;
    }
    if (TForm* main = MainForm(); main && ShowMainForm)
        main->Show();
    const int code = exec();
    DestroyForms();
    return code;
}

void TApplication::Terminate()
{
    terminated_ = true;
    // exit(), not quit(): a quit first asks every window to close, and a form that refuses
    // (the main window only goes to the tray, the login window only hides) would cancel it.
    exit(0);
}

void TApplication::ProcessMessages()
{
    processEvents(QEventLoop::AllEvents);
}

void TApplication::ShowException(const std::exception& error)
{
    const auto* ours = dynamic_cast<const Exception*>(&error);
    const QString message = ours ? ours->Message() : QString::fromLocal8Bit(error.what());
    ShowMessageBox(TMessageKind::Error, title_, message);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return false;
}

void TApplication::DestroyForms()
{
    while (!forms_.isEmpty())
        forms_.takeLast()->Destroy();
}

bool CallHandler(const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const std::exception& error) {
        if (!Application)
            throw;
        Application->ShowException(error);
    }
    return false;
}
