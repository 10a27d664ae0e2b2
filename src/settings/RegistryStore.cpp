#include "RegistryStore.h"

#include "framework/AnsiText.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString StripBackslashes(const QString& name)
{
    qsizetype first = 0;
    qsizetype last = name.size();
    while (first < last && name.at(first) == QLatin1Char('\\'))
        ++first;
    while (last > first && name.at(last - 1) == QLatin1Char('\\'))
        --last;
    return name.mid(first, last - first);
}

ERegistryException RegistryError(const char* format, const QString& name)
{
    return ERegistryException(QString::fromUtf8(format).arg(name));
}

} // namespace

TRegistryStore::TRegistryStore(QObject* owner) : TAbstractStore(owner) {}

TRegistryStore::~TRegistryStore() = default;

QString TRegistryStore::KeyName() const
{
    if (!keyName_.isEmpty())
        return keyName_;
    return QStringLiteral("Software\\") + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void TRegistryStore::SetKeyName(const QString& name)
{
    if (name != keyName_)
        keyName_ = StripBackslashes(name);
}

void TRegistryStore::OpenStorage()
{
    // The key is always made under the user's root first, whichever root is selected.
    registry_ = std::make_unique<RegistryAccessor>();
    registry_->OpenKey(KeyName(), true);
    registry_->CloseKey();
    registry_->SetRootKey(root_ == rrLocalMachine ? RegistryHiveRoot::LocalMachine : RegistryHiveRoot::CurrentUser);
    registry_->OpenKey(KeyName(), true);
}

void TRegistryStore::CloseStorage()
{
    if (registry_)
        registry_->CloseKey();
    registry_.reset();
}

RegistryKey TRegistryStore::BaseKey() const
{
    return registry_ ? registry_->BaseKey() : RegistryKey();
}

QString TRegistryStore::ReadText(const QString& Section, const QString& Ident, const QString& Default)
{
    const RegistryKey section = BaseKey().OpenSubKey(Section);
    if (!section.IsOpen())
        return Default;
    const auto info = section.QueryValueInfo(Ident);
    if (!info)
        return Default;
    if (info->size <= 0)
        return QString();
    const auto value = section.QueryValue(Ident);
    if (!value)
        throw RegistryError("Echec à l'obtention des données pour '%1'", Ident);
    if (value->type != REG_SZ && value->type != REG_EXPAND_SZ)
        throw RegistryError("Type de données incorrect pour '%1'", Ident);
    const qsizetype end = value->data.indexOf('\0');
    return FromAnsi((end < 0 ? value->data : value->data.left(end)).toStdString());
}

void TRegistryStore::WriteText(const QString& Section, const QString& Ident, const QString& Value)
{
    const RegistryKey section = BaseKey().CreateSubKey(Section);
    if (!section.IsOpen())
        throw RegistryError("Echec à la création de la clé %1", Section);
    QByteArray data = QByteArray::fromStdString(ToAnsi(Value));
    data.append('\0');
    if (!section.SetValue(Ident, {REG_SZ, data}))
        throw RegistryError("Echec à la définition des données pour '%1'", Ident);
}

void TRegistryStore::EraseSection(const QString& Section)
{
    BaseKey().DeleteSubKeyTree(Section);
}

qint64 TRegistryStore::ValueCount(const QString& Section)
{
    return BaseKey().OpenSubKey(Section).ValueCount().value_or(0);
}
