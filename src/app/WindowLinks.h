#pragma once
#include <QString>

// How the program's two windows reach each other: each sees only the little it uses of the
// other, so either can be built and tested alone.

// The login window as the main window uses it: the e-mail and password that the creators need,
// and showing it to ask for them.
class LoginWindow {
public:
    virtual QString Email() const = 0;
    virtual QString Password() const = 0;
    virtual void ShowLogin() = 0;

protected:
    ~LoginWindow() = default;
};

// The main window as the login window uses it: an address opened in its browser pane, and the
// window brought up.
class MainPane {
public:
    virtual void OpenInPane(const QString& address) = 0;
    virtual void ShowMainWindow() = 0;

protected:
    ~MainPane() = default;
};
