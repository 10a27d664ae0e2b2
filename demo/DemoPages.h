#pragma once
#include "ChatStore.h"

#include <chrono>

#include <string>
#include <vector>

// The demo service's pages, in English, with the service's own style sheet. Every text that
// comes from a person is escaped; `host` is the address the browser used ("http://name:port").
namespace DemoPages {

std::string StyleSheet();
std::string Home();
std::string SignIn(const std::string& message, const std::string& nick, const std::string& email);
std::string SignedIn(const std::string& nick, const std::string& email);
std::string Forgotten(const std::string& message);
std::string PasswordReset(const std::string& nick);
// `tooManyFailures`: refused unchecked, as too many sign-ins failed lately.
std::string LoginRefused(bool tooManyFailures);
std::string Chat(const std::string& nick, const ChatStore::Entry& entry, const std::vector<std::string>& people,
                 const std::vector<ChatStore::Message>& history);
std::string ScriptCreator(const ChatStore::Account& account, const std::string& password, const std::string& host);
std::string RoomView(const std::string& room, const std::vector<std::string>& people,
                     const std::vector<ChatStore::Message>& messages);
// The script a web site embeds: it puts a live view of the room where the script element is.
std::string RoomScript(const std::string& room, const std::string& host);
// The JSON answer to a chat page's poll.
// What is new for a page, and when it should ask again.
std::string PollAnswer(const ChatStore::Update& update, std::chrono::milliseconds pollAgain);

} // namespace DemoPages
