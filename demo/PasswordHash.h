#pragma once
#include <string>

// Passwords as the demo service stores them: salted Argon2id hashes in libsodium's encoded form
// ("$argon2id$v=19$m=…,t=…,p=…$salt$hash"), so the database never holds a password itself.
namespace PasswordHash {

// A new hash with a fresh random salt. Throws std::runtime_error when memory runs out.
std::string Make(const std::string& password);
// Whether `password` is the one `stored` was made from; false for anything that is no hash.
bool Matches(const std::string& stored, const std::string& password);

} // namespace PasswordHash
