#include "ClientWindows.h"

#include "LoginForm.h"
#include "MainForm.h"
#include "framework/Application.h"

ClientWindows::ClientWindows(TApplication& application)
    : Form1(application.CreateForm<TForm1>(application)), Form3(application.CreateForm<TForm3>())
{
    Form1->setObjectName(QStringLiteral("Form1"));
    Form3->setObjectName(QStringLiteral("Form3"));
    Form1->SetLoginWindow(Form3);
    Form3->SetMainPane(Form1);
}
