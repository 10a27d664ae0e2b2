#pragma once
#include "RegistryKey.h"

// The registry as the store sees it: a root, and a current key that relative key names start
// from. Opening a key that cannot be opened (or created) leaves no current key.
class RegistryAccessor {
public:
    // Starts on the user's root with no current key.
    RegistryAccessor();

    RegistryHiveRoot RootKey() const { return rootId_; }
    // Selects another root; the current key is closed.
    void SetRootKey(RegistryHiveRoot root);

    // A name that begins with a backslash is taken from the root, any other from the current
    // key when there is one, else from the root. True when the key is now the current key.
    bool OpenKey(const QString& name, bool canCreate);
    void CloseKey();

    const RegistryKey& CurrentKey() const { return current_; }
    const QString& CurrentPath() const { return currentPath_; }
    // Where relative names start: the current key, else the root.
    const RegistryKey& BaseKey() const { return current_.IsOpen() ? current_ : root_; }

private:
    RegistryHiveRoot rootId_ = RegistryHiveRoot::CurrentUser;
    RegistryKey root_;
    RegistryKey current_;
    QString currentPath_;
};
