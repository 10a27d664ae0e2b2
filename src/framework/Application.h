#pragma once
#include "Events.h"

#include <QApplication>
#include <QList>
#include <QString>

#include <exception>
#include <utility>

class TForm;

// The application object: owns the long-lived forms (the first one created is the main form),
// runs the message loop until Terminate(), destroys the forms in reverse order of creation, and
// reports errors that escape event handlers in a message box without ending the program.
class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }

    TForm* MainForm() const { return forms_.isEmpty() ? nullptr : forms_.first(); }
    // Whether Run() shows the main form; a component that starts the program hidden clears it.
    bool ShowMainForm = true;

    // Creates a form (building its layout) and keeps it for the whole run.
    template <class T, class... Arguments> T* CreateForm(Arguments&&... arguments)
    {
        auto* form = new T(std::forward<Arguments>(arguments)...);
        forms_.append(form);
        return form;
    }

    // Shows the main form (unless ShowMainForm is off) and dispatches messages until
    // Terminate(); then destroys the forms, the last created first. Returns the exit code.
    int Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();

    // The default error handler: the error's message in a box captioned with the title.
    void ShowException(const std::exception& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void DestroyForms();

    QString title_;
    QList<TForm*> forms_;
    bool terminated_ = false;
};

// The one application object of the process (nullptr before it exists).
extern TApplication* Application;

// Process settings that must be made before the application object exists (the display
// platform).
void PrepareProcess();

// The directory of the running executable, ending with a separator.
QString ExecutableFolder();
