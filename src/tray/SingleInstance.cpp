#include "SingleInstance.h"

#include "PriorInstance.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString kAnotherInstanceTerminating = QStringLiteral(
    "Another instance of this application appears to be running. You must \r\nclose any previous instances before continuing. ");
const QString kAnotherInstanceRunning = QStringLiteral("Another instance of this application appears to be running!");

QString SystemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Raised and handled at once: the application's error handler shows it.
void Report(const QString& message)
{
    const ESingleInstance error(message);
    if (Application)
        Application->ShowException(error);
    else
        std::fprintf(stderr, "%s\n", error.what());
}

void ReportFailure(const QString& step, const QString& cause)
{
    Report(step + QStringLiteral(" An Exception was raised ") + QStringLiteral("with the message : ") + cause);
}

} // namespace

TSingleInstance::TSingleInstance(QObject* owner) : TComponent(owner)
{
    if (owner) {
        for (const TSingleInstance* other : owner->findChildren<TSingleInstance*>(Qt::FindDirectChildrenOnly))
            if (other != this)
                throw ESingleInstance(QStringLiteral("SingleInstance component duplicated in ") + owner->objectName());
    }
}

TSingleInstance::~TSingleInstance()
{
    if (OwnsLock()) {
        if (::close(lockFile_) != 0)
            ReportFailure(QStringLiteral("Unable to close Mutex!"), SystemError(errno));
        return;
    }
    if (raisePriorInstance_ && !capturedTitle_.isEmpty())
        RaisePriorWindow(capturedTitle_);
}

QString TSingleInstance::LockPath(const QString& executableFileName)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(executableFileName + QStringLiteral(".lock"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("%1.%2.lock").arg(executableFileName).arg(::getuid()));
}

void TSingleInstance::Loaded()
{
    // The first copy's window carries the title of the window this guard is on.
    if (const auto* window = qobject_cast<QWidget*>(parent()))
        capturedTitle_ = window->window()->windowTitle();
    if (AnotherCopyRuns())
        AnotherCopyFound();
}

bool TSingleInstance::AnotherCopyRuns()
{
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (executable.isEmpty()) {
        ReportFailure(QStringLiteral("Unable to verify that Mutex already exists!"),
                      QStringLiteral("the executable's name is unknown"));
        return true;
    }
    const QByteArray path = QFile::encodeName(LockPath(executable));
    const int file = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (file < 0) {
        ReportFailure(QStringLiteral("Unable to verify that Mutex already exists!"), SystemError(errno));
        return true;
    }
    // Trying the lock is the check: whoever gets it first is the first copy.
    if (::flock(file, LOCK_EX | LOCK_NB) == 0) {
        lockFile_ = file;
        return false;
    }
    const int cause = errno;
    ::close(file);
    if (cause == EWOULDBLOCK)
        return true;
    ReportFailure(QStringLiteral("Unable to create Mutex!"), SystemError(cause));
    return false;
}

void TSingleInstance::AnotherCopyFound()
{
    if (ApplicationExists)
        ApplicationExists(this);
    if (terminate_) {
        if (informUser_)
            Report(kAnotherInstanceTerminating);
        if (Application)
            Application->Terminate();
    } else if (informUser_) {
        ShowWarningBox(kAnotherInstanceRunning);
    }
}
