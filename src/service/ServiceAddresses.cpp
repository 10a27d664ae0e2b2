#include "ServiceAddresses.h"

#include "UrlEncoding.h"

namespace ServiceAddress {

namespace {

std::string CredentialsQuery(const std::string& nick, const std::string& email, const std::string& password)
{
    return "?username=" + EncodeURLParam(nick) + "&email=" + EncodeURLParam(email) + "&pass="
        + EncodeURLParam(password);
}

} // namespace

std::string LoginCheck(const std::string& host, const std::string& nick, const std::string& email,
                       const std::string& password)
{
    return host + "/enterw.php" + CredentialsQuery(nick, email, password);
}

std::string ChatPage(const std::string& host, const std::string& nick, const std::string& email,
                     const std::string& password)
{
    return host + "/JAVASCRIPTWEXE.php" + CredentialsQuery(nick, email, password);
}

std::string ForgottenPassword(const std::string& host)
{
    return host + "/forgotton.php";
}

std::string NewAccount(const std::string& host)
{
    return host + "/signin.php";
}

std::string ScriptCreator(const std::string& host, const std::string& email, const std::string& password)
{
    return host + "/insertscript.php?email=" + EncodeURLParam(email) + "&pass=" + EncodeURLParam(password);
}

std::string RoomQuery(const std::string& host, const std::string& email)
{
    return host + "/createscript.php?email=" + EncodeURLParam(email);
}

std::string RoomScript(const std::string& host, const std::string& room)
{
    return host + "/JAVASCRIPT.php?room=" + room;
}

} // namespace ServiceAddress

std::string TrimAnswer(const std::string& answer)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t begin = 0;
    std::size_t end = answer.size();
    while (begin < end && isBlank(answer[begin]))
        ++begin;
    while (end > begin && isBlank(answer[end - 1]))
        --end;
    return answer.substr(begin, end - begin);
}

bool RejectsLogin(const std::string& trimmedAnswer)
{
    return trimmedAnswer.find("NO") != std::string::npos;
}
