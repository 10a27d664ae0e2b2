#pragma once
#include <QString>
#include <exception>

// An error raised by the program's own logic or by a wrapped platform call. When it escapes an
// event handler, the application's default error handler shows Message and keeps running.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), bytes_(message_.toUtf8()) {}
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return bytes_.constData(); }

private:
    QString message_;
    QByteArray bytes_;
};
