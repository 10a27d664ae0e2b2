#pragma once
#include <string>

// The addresses of the chat service. `host` is the service host ("http://name", no trailing
// separator); every user-supplied value passes through EncodeURLParam, except the room name.
namespace ServiceAddress {

std::string LoginCheck(const std::string& host, const std::string& nick, const std::string& email,
                       const std::string& password);
std::string ChatPage(const std::string& host, const std::string& nick, const std::string& email,
                     const std::string& password);
std::string ForgottenPassword(const std::string& host);
std::string NewAccount(const std::string& host);
std::string ScriptCreator(const std::string& host, const std::string& email, const std::string& password);
std::string RoomQuery(const std::string& host, const std::string& email);
// The room name goes in as it came from the service, unencoded.
std::string RoomScript(const std::string& host, const std::string& room);

} // namespace ServiceAddress

// Removes every leading and trailing byte of value 0x20 or less; bytes inside stay.
std::string TrimAnswer(const std::string& answer);
// A login check answer rejects the login when it holds the capitals "NO" anywhere.
bool RejectsLogin(const std::string& trimmedAnswer);
