// The main window's two creators: the service's script-creation page, and a sample page that
// embeds the chat-room script, opened in the desktop's default program for HTML files.
#include "LoginForm.h"
#include "MainForm.h"
#include "SamplePage.h"
#include "ServiceHost.h"
#include "framework/Application.h"
#include "framework/AnsiText.h"
#include "framework/Dialogs.h"
#include "service/ServiceAddresses.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QUrl>

namespace {

// Sends the user to the login window when a field the creator needs is empty.
bool AskForLoginFields(bool missing)
{
    if (!missing)
        return false;
    ShowWarningBox(QStringLiteral("Please, enter your email and password first !"));
    Form3->Show();
    return true;
}

} // namespace

void TForm1::BScriptClick(QObject*)
{
    if (AskForLoginFields(Form3->email->text().isEmpty()) || AskForLoginFields(Form3->password->text().isEmpty()))
        return;
    www->Navigate(FromAnsi(ServiceAddress::ScriptCreator(ServiceHost(), ToAnsi(Form3->email->text()),
                                                         ToAnsi(Form3->password->text()))));
}

void TForm1::BHTMLClick(QObject*)
{
    // The password is not needed here, although the message names it.
    if (AskForLoginFields(Form3->email->text().isEmpty()))
        return;
    const FetchResult answer = Form3->FetchHTML(ServiceAddress::RoomQuery(ServiceHost(), ToAnsi(Form3->email->text())));
    if (answer.Failed) {
        ShowServiceFailure(answer, this);
        return;
    }
    const QString path = ExecutableFolder() + QStringLiteral("sample.htm");
    WriteSamplePage(path, SamplePageText(ServiceHost(), TrimAnswer(answer.Text)));
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
