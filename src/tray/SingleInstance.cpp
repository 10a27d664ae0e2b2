#include "SingleInstance.h"

#include "PriorInstance.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Events.h"

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
#include <sys/stat.h>
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

const QString kVerifyStep = QStringLiteral("Unable to verify that Mutex already exists!");

// Whether `folder` is a folder of this user's that no other user can write to, so nobody else
// can put a lock file of theirs where this user's copies look for it.
bool IsPrivateFolder(const QString& folder, bool followLink)
{
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    const int found = followLink ? ::stat(path.constData(), &st) : ::lstat(path.constData(), &st);
    return found == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 022) == 0;
}

// The program's own folder in the user's cache folder, made private to the user; empty when
// that cannot be had (another user's folder of that name is never taken).
QString PrivateCacheFolder()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QDir::isRelativePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString folder = QDir::cleanPath(cache + QStringLiteral("/vellomar"));
    QDir().mkpath(cache);
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid())
        ::chmod(path.constData(), 0700);
    return IsPrivateFolder(folder, false) ? folder : QString();
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
    QString folder = !runtime.isEmpty() && IsPrivateFolder(runtime, true) ? runtime : PrivateCacheFolder();
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(executableFileName + QStringLiteral(".lock"));
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
    // Whatever keeps the lock from being taken counts as another copy, reported: this copy
    // never runs unlocked without a word.
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (executable.isEmpty()) {
        ReportFailure(kVerifyStep, QStringLiteral("the executable's name is unknown"));
        return true;
    }
    const QString lockPath = LockPath(executable);
    if (lockPath.isEmpty()) {
        ReportFailure(kVerifyStep, QStringLiteral("there is no folder private to this user for the lock"));
        return true;
    }
    const QByteArray path = QFile::encodeName(lockPath);
    const int file = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (file < 0) {
        ReportFailure(kVerifyStep, SystemError(errno));
        return true;
    }
    struct stat st {};
    if (::fstat(file, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(file);
        ReportFailure(kVerifyStep, QStringLiteral("%1 is not a plain file of this user's").arg(lockPath));
        return true;
    }
    // Trying the lock is the check: whoever gets it first is the first copy.
    if (::flock(file, LOCK_EX | LOCK_NB) == 0) {
        lockFile_ = file;
        return false;
    }
    const int cause = errno;
    ::close(file);
    if (cause != EWOULDBLOCK)
        ReportFailure(QStringLiteral("Unable to create Mutex!"), SystemError(cause));
    return true;
}

void TSingleInstance::AnotherCopyFound()
{
    // The handler's own failure is reported and the guard still does what it is set to do.
    if (ApplicationExists)
        CallHandler([this] { ApplicationExists(this); });
    if (terminate_) {
        if (informUser_)
            Report(kAnotherInstanceTerminating);
        if (Application)
            Application->Terminate();
    } else if (informUser_) {
        ShowWarningBox(kAnotherInstanceRunning);
    }
}
