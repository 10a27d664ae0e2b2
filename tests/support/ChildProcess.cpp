#include "ChildProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcessEnvironment>

QString BuiltProgram(const QString& name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

QString ClientProgram()
{
    return BuiltProgram(QStringLiteral("vellomar"));
}

ChildProcess::ChildProcess()
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

ChildProcess::~ChildProcess()
{
    Stop();
}

bool ChildProcess::Start(const QString& program, const QStringList& arguments,
                         const QMap<QString, QString>& environment)
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (auto it = environment.cbegin(); it != environment.cend(); ++it)
        variables.insert(it.key(), it.value());
    process_.setProcessEnvironment(variables);
    output_.clear();
    process_.start(program, arguments);
    started_ = process_.waitForStarted(10000);
    return started_;
}

bool ChildProcess::WaitForOutput(const QByteArray& text, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!Output().contains(text)) {
        if (!Running() || clock.elapsed() >= ms)
            return Output().contains(text);
        process_.waitForReadyRead(50);
        // The test's own servers and timers answer meanwhile.
        QCoreApplication::processEvents();
    }
    return true;
}

QByteArray ChildProcess::Output()
{
    output_ += process_.readAll();
    return output_;
}

bool ChildProcess::EndedCleanly() const
{
    return started_ && !Running() && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

void ChildProcess::Stop()
{
    if (!Running())
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000))
        Kill();
}

void ChildProcess::Kill()
{
    if (!Running())
        return;
    process_.kill();
    process_.waitForFinished(10000);
}

QMap<QString, QString> ClientFolders::Environment() const
{
    return {
        {QStringLiteral("VELLOMAR_CONFIG_DIR"), config_.path()},
        {QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path()},
        {QStringLiteral("VELLOMAR_TRACE_STARTUP"), QStringLiteral("1")},
        {QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1")},
    };
}
