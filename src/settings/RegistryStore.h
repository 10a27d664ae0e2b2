#pragma once
#include "AbstractStore.h"
#include "RegistryAccessor.h"
#include "framework/Exception.h"

#include <memory>

// A registry call that failed while reading or writing a store.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// A store in the registry: sections are subkeys of the store key, values are REG_SZ text.
class TRegistryStore : public TAbstractStore {
    Q_OBJECT
    Q_PROPERTY(QString KeyName READ KeyName WRITE SetKeyName)
    Q_PROPERTY(TRegistryRoot RegistryRoot READ RegistryRoot WRITE SetRegistryRoot)

public:
    enum TRegistryRoot : quint8 { rrCurrentUser, rrLocalMachine };
    Q_ENUM(TRegistryRoot)

    explicit TRegistryStore(QObject* owner = nullptr);
    ~TRegistryStore() override;

    // The store key below the root; when none is set, "Software\" and the executable's name
    // without its extension.
    QString KeyName() const;
    // Leading and trailing backslashes are dropped. Takes effect at the next opening.
    void SetKeyName(const QString& name);
    TRegistryRoot RegistryRoot() const { return root_; }
    void SetRegistryRoot(TRegistryRoot root) { root_ = root; }

    void OpenStorage() override;
    void CloseStorage() override;
    QString ReadText(const QString& Section, const QString& Ident, const QString& Default) override;
    void WriteText(const QString& Section, const QString& Ident, const QString& Value) override;
    void EraseSection(const QString& Section) override;
    qint64 ValueCount(const QString& Section) override;

    // The accessor while the store is open, else nullptr.
    const RegistryAccessor* Registry() const { return registry_.get(); }

private:
    RegistryKey BaseKey() const;

    QString keyName_;
    TRegistryRoot root_ = rrCurrentUser;
    std::unique_ptr<RegistryAccessor> registry_;
};
