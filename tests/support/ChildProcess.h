#pragma once
#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A program of the build, found beside the test (every executable lands in one folder).
QString BuiltProgram(const QString& name);
// The client itself.
QString ClientProgram();

// A program a test starts, which never outlives the test: Stop(), or the end of the object,
// asks it to end and kills it when it has not within a few seconds. Its standard output and
// error are read together, so a test can wait for what it writes on either.
class ChildProcess {
public:
    ChildProcess();
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program` in this process's environment with `environment` added; false when it
    // could not be started.
    bool Start(const QString& program, const QStringList& arguments = {},
               const QMap<QString, QString>& environment = {});

    // Waits until the program has written `text`, has ended, or `ms` have gone by.
    bool WaitForOutput(const QByteArray& text, int ms = 60000);
    // All the program has written so far.
    QByteArray Output();

    bool Started() const { return started_; }
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    // Waits up to `ms` for the program to end by itself.
    bool WaitForEnd(int ms) { return !Running() || process_.waitForFinished(ms); }
    // True once the program, started, has ended by itself with exit code 0.
    bool EndedCleanly() const;

    void Stop();
    void Kill();

    QProcess& Process() { return process_; }

private:
    QProcess process_;
    QByteArray output_;
    bool started_ = false;
};

// Folders of their own for a client that a test starts: its settings and its single-instance
// lock, so that it sees no other run's settings and no other test's client. Clients started
// with the same folders are copies run by one user. The environment also turns the start-up
// trace on (the marks "main-shown" and "page-loaded" on standard error).
class ClientFolders {
public:
    QMap<QString, QString> Environment() const;
    QString Config() const { return config_.path(); }

private:
    QTemporaryDir config_;
    QTemporaryDir runtime_;
};
