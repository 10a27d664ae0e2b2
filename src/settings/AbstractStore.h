#pragma once
#include "framework/Component.h"

#include <QString>

// Where a state persister keeps its values: named text values grouped in sections. Callers
// bracket their reads and writes with Open and Close; nested opens share one opening of the
// medium.
class TAbstractStore : public TComponent {
    Q_OBJECT

public:
    explicit TAbstractStore(QObject* owner = nullptr) : TComponent(owner) {}

    void Open();
    // Does nothing while the store is not open.
    void Close();
    int OpenCount() const { return openCount_; }

    virtual void OpenStorage() = 0;
    virtual void CloseStorage() = 0;
    virtual QString ReadText(const QString& Section, const QString& Ident, const QString& Default) = 0;
    virtual void WriteText(const QString& Section, const QString& Ident, const QString& Value) = 0;
    // Removes a section with all it holds; a store without sections does nothing.
    virtual void EraseSection(const QString& Section);
    // How many values a section holds: no read of it can find more.
    virtual qint64 ValueCount(const QString& Section) = 0;

private:
    qint32 openCount_ = 0;
};
