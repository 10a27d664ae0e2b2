#pragma once
#include "LocalHttpServer.h"
#include "app/LoginForm.h"
#include "app/MainForm.h"
#include "app/ServiceHost.h"
#include "framework/Application.h"

#include <QLineEdit>

#include <functional>
#include <mutex>

// The two windows of the program and a stand-in chat service whose answers a test sets.
class ServiceFixture {
public:
    ServiceFixture()
    {
        for (const char* path : {"/enterw.php", "/createscript.php"})
            web.server.Get(path, [this](const httplib::Request&, httplib::Response& res) {
                std::lock_guard lock(mutex_);
                if (duringRequest_)
                    duringRequest_();
                res.status = status_;
                res.set_content(answer_, "text/plain");
            });
        web.Start();
    }

    void CreateForms()
    {
        SetServiceHost(QString::fromStdString(web.Host()));
        Form1 = Application->CreateForm<TForm1>();
        Form3 = Application->CreateForm<TForm3>();
    }

    void Answer(const std::string& text, int status = 200)
    {
        std::lock_guard lock(mutex_);
        answer_ = text;
        status_ = status;
    }

    // Runs on the service's thread while it serves a request, that is while the client waits
    // for the answer.
    void DuringRequest(std::function<void()> probe)
    {
        std::lock_guard lock(mutex_);
        duringRequest_ = std::move(probe);
    }

    void FillLoginFields(const QString& nick, const QString& email, const QString& password)
    {
        Form3->username->setText(nick);
        Form3->email->setText(email);
        Form3->password->setText(password);
    }

    LocalHttpServer web;

private:
    std::mutex mutex_;
    std::string answer_ = "OK";
    int status_ = 200;
    std::function<void()> duringRequest_;
};
