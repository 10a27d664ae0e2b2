#include "PasswordHash.h"

#include <sodium.h>

#include <stdexcept>

namespace PasswordHash {

namespace {

void StartSodium()
{
    static const bool started = sodium_init() >= 0;
    if (!started)
        throw std::runtime_error("libsodium could not start");
}

} // namespace

std::string Make(const std::string& password)
{
    StartSodium();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return hash;
}

bool Matches(const std::string& stored, const std::string& password)
{
    StartSodium();
    // libsodium reads a buffer of STRBYTES: the stored text must end within it.
    if (stored.size() >= crypto_pwhash_STRBYTES)
        return false;
    return crypto_pwhash_str_verify(stored.c_str(), password.data(), password.size()) == 0;
}

} // namespace PasswordHash
