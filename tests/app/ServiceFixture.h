#pragma once
#include "LocalHttpServer.h"
#include "app/LoginForm.h"
#include "app/ServiceHost.h"

#include <QLineEdit>

#include <functional>
#include <mutex>

// A stand-in chat service whose answer a test sets, made the program's service host.
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
        UseAsServiceHost();
    }

    void UseAsServiceHost() { SetServiceHost(QString::fromStdString(web.Host())); }

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

    LocalHttpServer web;

private:
    std::mutex mutex_;
    std::string answer_ = "OK";
    int status_ = 200;
    std::function<void()> duringRequest_;
};

inline void FillLoginFields(TForm3& login, const QString& nick, const QString& email, const QString& password)
{
    login.username->setText(nick);
    login.email->setText(email);
    login.password->setText(password);
}
