#pragma once
#include <curl/curl.h>

#include <string>

// The HTTP client library, loaded on the first fetch rather than with the program: its chain
// of TLS, Kerberos and directory libraries takes longer to load than the program's first
// window. Holds the few calls the fetch makes.
struct CurlLibrary {
    decltype(&curl_global_init) global_init;
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_perform) easy_perform;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
};

// The library, loaded and initialised once for the process; nullptr when it cannot be had,
// with the reason in *error.
const CurlLibrary* LoadCurl(std::string* error);
