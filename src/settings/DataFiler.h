#pragma once
#include <QString>

#include <memory>

class TAbstractStore;

// Carries one restore or save: the section, the store and the prefix that makes value names
// ("username." for the username field's properties). Without a store, reads give the empty
// text and writes do nothing.
class TDataFiler {
public:
    TDataFiler(QString prefix, QString section, TAbstractStore* store)
        : Prefix(std::move(prefix)), Section(std::move(section)), Store(store)
    {
    }
    virtual ~TDataFiler() = default;

    // A filer of the same kind on the same section and store, with its own prefix.
    virtual std::unique_ptr<TDataFiler> CreateChildFiler(const QString& prefix) const;
    virtual void EraseSection(const QString& section);
    virtual qint64 ValueCount(const QString& section);
    virtual QString ValueName(const QString& name) const { return Prefix + name; }
    virtual QString ReadText(const QString& section, const QString& name, const QString& defaultText);
    virtual void WriteText(const QString& section, const QString& name, const QString& value);

    QString Prefix;
    QString Section;
    TAbstractStore* Store;
};
