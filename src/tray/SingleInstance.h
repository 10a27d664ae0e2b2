#pragma once
#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/Exception.h"

class ESingleInstance : public Exception {
public:
    using Exception::Exception;
};

// Keeps a second copy of the program from running. Once its window's layout is loaded, the
// first copy takes an exclusive lock named after the executable's file name; a later copy finds
// the lock taken, raises ApplicationExists and, with Terminate, asks the application to end
// (before any of its windows shows). Checking and taking the lock are one step, and the kernel
// drops the lock when its process ends.
class TSingleInstance : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Terminate READ Terminate WRITE SetTerminate)
    Q_PROPERTY(bool InformUser READ InformUser WRITE SetInformUser)
    Q_PROPERTY(bool RaisePriorInstance READ RaisePriorInstance WRITE SetRaisePriorInstance)

public:
    // Fails with "SingleInstance component duplicated in <owner>" when the owner has one already.
    explicit TSingleInstance(QObject* owner);
    ~TSingleInstance() override;

    TNotifyEvent ApplicationExists;

    bool Terminate() const { return terminate_; }
    void SetTerminate(bool value) { terminate_ = value; }
    bool InformUser() const { return informUser_; }
    void SetInformUser(bool value) { informUser_ = value; }
    bool RaisePriorInstance() const { return raisePriorInstance_; }
    void SetRaisePriorInstance(bool value) { raisePriorInstance_ = value; }

    // True in the copy that holds the lock.
    bool OwnsLock() const { return lockFile_ >= 0; }

    // The lock of an executable, <file name>.lock, in a folder only this user can write to:
    // $XDG_RUNTIME_DIR when it is one, else the program's folder in the user's cache folder
    // ($XDG_CACHE_HOME, ~/.cache), made private. Empty when there is no such folder.
    static QString LockPath(const QString& executableFileName);

    void Loaded() override;

private:
    // Takes the lock; true when another copy holds it, and when it cannot be taken for any
    // other reason (reported), so a copy never runs unlocked quietly.
    bool AnotherCopyRuns();
    void AnotherCopyFound();

    bool terminate_ = true;
    bool informUser_ = false;
    bool raisePriorInstance_ = false;
    int lockFile_ = -1;
    // The title the first copy's window is found by.
    QString capturedTitle_;
};
