#pragma once
#include "WindowLinks.h"
#include "framework/Edit.h"
#include "framework/Form.h"

#include <string>

class QLabel;
class TGroupBox;
class TSpeedButton;
class TComponentState;
class TRegistryStore;

// The login window "Vellomar Login". Created hidden at start and kept for the whole run: it
// checks the nick, e-mail and password with the service and opens the chat page in the main
// pane. The creators read its e-mail and password fields, which are remembered between runs.
class TForm3 : public TForm, public LoginWindow {
    Q_OBJECT

public:
    TForm3();

    void SetMainPane(MainPane* pane) { mainPane_ = pane; }
    QString Email() const override;
    QString Password() const override;
    void ShowLogin() override;

    TGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    TEdit* username = nullptr;
    TEdit* email = nullptr;
    TEdit* password = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    // Non-visual components: the login fields remembered between runs.
    TRegistryStore* RegistryStore1 = nullptr;
    TComponentState* ComponentState1 = nullptr;

    void SpeedButton1Click(QObject* Sender);
    void SpeedButton2Click(QObject* Sender);
    void SpeedButton3Click(QObject* Sender);
    void usernameKeyPress(QObject* Sender, char& Key);
    void emailKeyPress(QObject* Sender, char& Key);
    void passwordKeyPress(QObject* Sender, char& Key);

    static constexpr int kOuterWidth = 426;
    static constexpr int kOuterHeight = 195;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* AddLabel(const char* name, int left, int top, const QString& caption);
    TEdit* AddEdit(const char* name, const QRect& place, const QString& hint);
    TSpeedButton* AddButton(const char* name, const QRect& place, const QString& caption, const QString& picture,
                            const QString& hint);
    // Opens `address` in the main pane, where there is one.
    void OpenInMainPane(const std::string& address);

    MainPane* mainPane_ = nullptr;
};
