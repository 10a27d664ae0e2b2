#pragma once
#include "RegistryHive.h"

// A handle on one key of a hive, or no key at all. Handles stay valid while the key exists;
// calls on a deleted key, or on no key, fail.
class RegistryKey {
public:
    RegistryKey() = default;

    // The root key of a root's hive; no key when the hive cannot be opened.
    static RegistryKey Root(RegistryHiveRoot root);

    bool IsOpen() const { return hive_ != nullptr; }

    // Create-or-open, and open, of a backslash-separated path below this key.
    RegistryKey CreateSubKey(const QString& path) const;
    RegistryKey OpenSubKey(const QString& path) const;

    std::optional<RegistryValueInfo> QueryValueInfo(const QString& name) const;
    std::optional<RegistryValue> QueryValue(const QString& name) const;
    bool SetValue(const QString& name, const RegistryValue& value) const;
    std::optional<QStringList> SubKeyNames() const;
    // How many values the key holds; nullopt when it is not open or gone.
    std::optional<qint64> ValueCount() const;
    // Deletes the subkey at the end of the backslash-separated `path` with everything below it.
    bool DeleteSubKeyTree(const QString& path) const;

private:
    RegistryKey(std::shared_ptr<RegistryHive> hive, RegistryHive::KeyId id) : hive_(std::move(hive)), id_(id) {}
    RegistryKey Child(std::optional<RegistryHive::KeyId> id) const;

    std::shared_ptr<RegistryHive> hive_;
    RegistryHive::KeyId id_ = 0;
};
