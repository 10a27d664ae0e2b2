// The main window's two creators: the service's script-creation page, and a sample page that
// embeds the chat-room script, opened in the desktop's default program for HTML files. Both
// take the e-mail and password from the login window.
#include "MainForm.h"
#include "PageFolders.h"
#include "SamplePage.h"
#include "ServiceHost.h"
#include "framework/AnsiText.h"
#include "framework/Dialogs.h"
#include "service/PageFetch.h"
#include "service/ServiceAddresses.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

// Sends the user to the login window when a field the creator needs is empty.
bool AskForLoginFields(LoginWindow& login, bool missing)
{
    if (!missing)
        return false;
    ShowWarningBox(QStringLiteral("Please, enter your email and password first !"));
    login.ShowLogin();
    return true;
}

} // namespace

void TForm1::BScriptClick(QObject*)
{
    if (!login_ || AskForLoginFields(*login_, login_->Email().isEmpty())
        || AskForLoginFields(*login_, login_->Password().isEmpty()))
        return;
    www->Navigate(
        FromAnsi(ServiceAddress::ScriptCreator(ServiceHost(), ToAnsi(login_->Email()), ToAnsi(login_->Password()))));
}

void TForm1::BHTMLClick(QObject*)
{
    // The password is not needed here, although the message names it.
    if (!login_ || AskForLoginFields(*login_, login_->Email().isEmpty()))
        return;
    const FetchResult answer = FetchHTML(ServiceAddress::RoomQuery(ServiceHost(), ToAnsi(login_->Email())));
    if (answer.Failed) {
        ShowServiceFailure(answer, this);
        return;
    }
    const QString folder = RunningPageFolders().output;
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("sample.htm");
    WriteSamplePage(path, SamplePageText(ServiceHost(), TrimAnswer(answer.Text)));
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
