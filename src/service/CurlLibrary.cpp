#include "CurlLibrary.h"

#include <dlfcn.h>

namespace {

// The run-time name of the library the headers describe.
constexpr const char* kCurlSoname = "libcurl.so.4";

template <class Function> bool Resolve(void* library, const char* name, Function* function, std::string* missing)
{
    *function = reinterpret_cast<Function>(dlsym(library, name));
    if (!*function && missing->empty())
        *missing = name;
    return *function != nullptr;
}

struct Loaded {
    CurlLibrary calls{};
    std::string error;
    bool ok = false;
};

Loaded Load()
{
    Loaded loaded;
    void* library = dlopen(kCurlSoname, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        loaded.error = std::string("the HTTP client library cannot be loaded: ") + (why ? why : kCurlSoname);
        return loaded;
    }
    CurlLibrary& c = loaded.calls;
    std::string missing;
    Resolve(library, "curl_global_init", &c.global_init, &missing);
    Resolve(library, "curl_easy_init", &c.easy_init, &missing);
    Resolve(library, "curl_easy_setopt", &c.easy_setopt, &missing);
    Resolve(library, "curl_easy_perform", &c.easy_perform, &missing);
    Resolve(library, "curl_easy_getinfo", &c.easy_getinfo, &missing);
    Resolve(library, "curl_easy_strerror", &c.easy_strerror, &missing);
    Resolve(library, "curl_easy_cleanup", &c.easy_cleanup, &missing);
    Resolve(library, "curl_slist_append", &c.slist_append, &missing);
    Resolve(library, "curl_slist_free_all", &c.slist_free_all, &missing);
    if (!missing.empty()) {
        loaded.error = std::string("the HTTP client library lacks ") + missing;
        return loaded;
    }
    if (c.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        loaded.error = "the HTTP client library cannot be initialised";
        return loaded;
    }
    loaded.ok = true;
    return loaded;
}

} // namespace

const CurlLibrary* LoadCurl(std::string* error)
{
    // A static's initialisation is done once, safely across threads.
    static const Loaded loaded = Load();
    if (!loaded.ok) {
        *error = loaded.error;
        return nullptr;
    }
    return &loaded.calls;
}
