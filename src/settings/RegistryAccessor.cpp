#include "RegistryAccessor.h"

RegistryAccessor::RegistryAccessor() : root_(RegistryKey::Root(rootId_)) {}

void RegistryAccessor::SetRootKey(RegistryHiveRoot root)
{
    CloseKey();
    rootId_ = root;
    root_ = RegistryKey::Root(root);
}

bool RegistryAccessor::OpenKey(const QString& name, bool canCreate)
{
    const bool fromRoot = name.startsWith(QLatin1Char('\\'));
    const QString path = fromRoot ? name.mid(1) : name;
    const RegistryKey& base = fromRoot ? root_ : BaseKey();
    RegistryKey key = canCreate ? base.CreateSubKey(path) : base.OpenSubKey(path);
    if (!key.IsOpen()) {
        CloseKey();
        return false;
    }
    const bool relative = !fromRoot && current_.IsOpen() && !currentPath_.isEmpty();
    currentPath_ = relative ? currentPath_ + QLatin1Char('\\') + path : path;
    current_ = std::move(key);
    return true;
}

void RegistryAccessor::CloseKey()
{
    current_ = RegistryKey();
    currentPath_.clear();
}
