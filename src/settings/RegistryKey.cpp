#include "RegistryKey.h"

RegistryKey RegistryKey::Root(RegistryHiveRoot root)
{
    auto hive = RegistryHive::ForRoot(root);
    if (!hive)
        return {};
    return RegistryKey(std::move(hive), RegistryHive::kRootKey);
}

RegistryKey RegistryKey::Child(std::optional<RegistryHive::KeyId> id) const
{
    if (!id)
        return {};
    return RegistryKey(hive_, *id);
}

RegistryKey RegistryKey::CreateSubKey(const QString& path) const
{
    return hive_ ? Child(hive_->CreateKey(id_, path)) : RegistryKey();
}

RegistryKey RegistryKey::OpenSubKey(const QString& path) const
{
    return hive_ ? Child(hive_->OpenKey(id_, path)) : RegistryKey();
}

std::optional<RegistryValueInfo> RegistryKey::QueryValueInfo(const QString& name) const
{
    return hive_ ? hive_->QueryValueInfo(id_, name) : std::nullopt;
}

std::optional<RegistryValue> RegistryKey::QueryValue(const QString& name) const
{
    return hive_ ? hive_->QueryValue(id_, name) : std::nullopt;
}

bool RegistryKey::SetValue(const QString& name, const RegistryValue& value) const
{
    return hive_ && hive_->SetValue(id_, name, value);
}

std::optional<QStringList> RegistryKey::SubKeyNames() const
{
    return hive_ ? hive_->SubKeyNames(id_) : std::nullopt;
}

std::optional<qint64> RegistryKey::ValueCount() const
{
    return hive_ ? hive_->ValueCount(id_) : std::nullopt;
}

bool RegistryKey::DeleteSubKeyTree(const QString& path) const
{
    return hive_ && hive_->DeleteKeyTree(id_, path);
}
