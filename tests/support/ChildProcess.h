#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A program of the build, found beside the test (every executable lands in one folder).
inline QString BuiltProgram(const QString& name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}
// The client itself.
inline QString ClientProgram()
{
    return BuiltProgram(QStringLiteral("vellomar"));
}

// A program a test starts, which never outlives the test: Stop(), or the end of the object,
// asks it to end and kills it when it has not within a few seconds. Its standard output and
// error are read together, so a test can wait for what it writes on either.
class ChildProcess {
public:
    ChildProcess() { process_.setProcessChannelMode(QProcess::MergedChannels); }
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program` in this process's environment with `environment` added; false when it
    // could not be started.
    bool Start(const QString& program, const QStringList& arguments = {},
               const QMap<QString, QString>& environment = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (auto it = environment.cbegin(); it != environment.cend(); ++it)
            env.insert(it.key(), it.value());
        process_.setProcessEnvironment(env);
        process_.start(program, arguments);
        started_ = process_.waitForStarted(10000);
        return started_;
    }

    // Waits until the program has written `text`, has ended, or `ms` have gone by.
    bool WaitForOutput(const QByteArray& text, int ms = 60000)
    {
        const QDeadlineTimer deadline(ms);
        while (!Output().contains(text)) {
            if (!Running() || deadline.hasExpired())
                return Output().contains(text);
            process_.waitForReadyRead(50);
            QCoreApplication::processEvents();
        }
        return true;
    }
    // All the program has written so far.
    QByteArray Output()
    {
        output_ += process_.readAll();
        return output_;
    }

    bool Started() const { return started_; }
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    // Waits up to `ms` for the program to end by itself.
    bool WaitForEnd(int ms) { return !Running() || process_.waitForFinished(ms); }

    void Stop()
    {
        if (!Running())
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000))
            Kill();
    }
    void Kill()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

    QProcess& Process() { return process_; }

private:
    QProcess process_;
    QByteArray output_;
    bool started_ = false;
};

// Folders of their own for a client that a test starts: its settings and its single-instance
// lock, so that it sees no other run's settings and no other test's client. The environment
// also turns the start-up trace on (the marks "main-shown" and "page-loaded" on standard error).
class ClientFolders {
public:
    QMap<QString, QString> Environment() const
    {
        return {{QStringLiteral("VELLOMAR_CONFIG_DIR"), config_.path()},
                {QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path()},
                {QStringLiteral("VELLOMAR_TRACE_STARTUP"), QStringLiteral("1")},
                {QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1")}};
    }
    QString Config() const { return config_.path(); }

private:
    QTemporaryDir config_;
    QTemporaryDir runtime_;
};
