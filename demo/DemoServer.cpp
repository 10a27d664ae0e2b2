#include "DemoServer.h"

#include "DemoPages.h"
#include "DemoText.h"

#include <chrono>
#include <optional>

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kText = "text/plain; charset=utf-8";

std::string Param(const httplib::Request& req, const char* key)
{
    return ReceivedText(req.get_param_value(key));
}

std::string HostOf(const httplib::Request& req)
{
    return "http://" + req.get_header_value("Host");
}

std::int64_t Number(const std::string& text)
{
    try {
        return std::stoll(text);
    } catch (const std::exception&) {
        return 0;
    }
}

// At most `limit` bytes, never cutting a UTF-8 character in two.
std::string Shortened(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

void NoCache(httplib::Response& res)
{
    res.set_header("Cache-Control", "no-store");
}

struct SignInOutcome {
    std::optional<ChatStore::Account> account;
    bool heldBack = false;  // refused unchecked: too many sign-ins failed lately
};

// The account that the request's "email" and "pass" sign in to. While the throttle holds the
// account or the address back, the attempt is refused unchecked and told when to come back.
SignInOutcome SignIn(const httplib::Request& req, httplib::Response& res, ChatStore& store, SignInThrottle& throttle)
{
    const std::string email = Param(req, "email");
    const auto wait = throttle.Wait(email, req.remote_addr);
    if (wait.count() > 0) {
        res.set_header("Retry-After", std::to_string(std::chrono::ceil<std::chrono::seconds>(wait).count()));
        return {std::nullopt, true};
    }
    auto account = store.Check(email, Param(req, "pass"));
    if (account)
        throttle.Succeeded(email);
    else
        throttle.Failed(email, req.remote_addr);
    return {std::move(account), false};
}

} // namespace

void RegisterDemoRoutes(httplib::Server& server, ChatStore& store, SignInThrottle& throttle,
                        std::chrono::milliseconds pollEvery)
{
    server.Get("/style.css", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(DemoPages::StyleSheet(), "text/css; charset=utf-8");
    });
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(DemoPages::Home(), kHtml);
    });

    // The client's login check: "OK" for a known e-mail and password, "NO" for anything else.
    server.Get("/enterw.php", [&store, &throttle](const httplib::Request& req, httplib::Response& res) {
        NoCache(res);
        res.set_content(SignIn(req, res, store, throttle).account ? "OK" : "NO", kText);
    });

    // The chat page: loading it for a valid account enters the room.
    server.Get("/JAVASCRIPTWEXE.php", [&store, &throttle](const httplib::Request& req, httplib::Response& res) {
        NoCache(res);
        const auto signIn = SignIn(req, res, store, throttle);
        if (!signIn.account) {
            res.set_content(DemoPages::LoginRefused(signIn.heldBack), kHtml);
            return;
        }
        std::string nick = Param(req, "username");
        if (nick.find_first_not_of(" \t") == std::string::npos)
            nick = signIn.account->nick;
        const ChatStore::Entry entry = store.Enter(nick);
        res.set_content(DemoPages::Chat(nick, entry, store.PeoplePresent(), store.LastMessages(30)), kHtml);
    });
    server.Get("/chat/poll", [&store, pollEvery](const httplib::Request& req, httplib::Response& res) {
        NoCache(res);
        const auto update = store.Poll(req.get_param_value("token"), Number(req.get_param_value("arrival")),
                                       Number(req.get_param_value("message")));
        if (!update) {
            res.status = 404;
            res.set_content("{\"error\":\"unknown session\"}", "application/json");
            return;
        }
        res.set_content(DemoPages::PollAnswer(*update, pollEvery), "application/json");
    });
    server.Post("/chat/say", [&store](const httplib::Request& req, httplib::Response& res) {
        const std::string text = Shortened(Param(req, "text"), 2000);
        if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
            res.status = 400;
            return;
        }
        res.status = store.Say(req.get_param_value("token"), text) ? 204 : 404;
    });

    server.Get("/signin.php", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(DemoPages::SignIn({}, {}, {}), kHtml);
    });
    server.Post("/signin.php", [&store](const httplib::Request& req, httplib::Response& res) {
        const std::string nick = Param(req, "nick"), email = Param(req, "email"), password = Param(req, "password");
        std::string problem;
        if (nick.empty() || email.empty() || password.empty())
            problem = "Please fill in the nick, the e-mail address and the password.";
        else if (email.find('@') == std::string::npos)
            problem = "That does not look like an e-mail address.";
        else
            problem = store.CreateAccount(nick, email, password);
        res.set_content(problem.empty() ? DemoPages::SignedIn(nick, email) : DemoPages::SignIn(problem, nick, email),
                        kHtml);
    });

    server.Get("/forgotton.php", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(DemoPages::Forgotten({}), kHtml);
    });
    server.Post("/forgotton.php", [&store](const httplib::Request& req, httplib::Response& res) {
        const std::string nick = Param(req, "nick"), password = Param(req, "password");
        if (password.empty() || !store.ResetPassword(nick, Param(req, "email"), password)) {
            res.set_content(DemoPages::Forgotten("No account has that nick and e-mail address."), kHtml);
            return;
        }
        res.set_content(DemoPages::PasswordReset(nick), kHtml);
    });

    const auto scriptCreator = [&store, &throttle](const httplib::Request& req, httplib::Response& res) {
        NoCache(res);
        auto signIn = SignIn(req, res, store, throttle);
        if (!signIn.account) {
            res.set_content(DemoPages::LoginRefused(signIn.heldBack), kHtml);
            return;
        }
        const std::string room = Param(req, "room");
        if (req.method == "POST" && room.find_first_not_of(" \t") != std::string::npos) {
            store.SetRoom(signIn.account->id, room);
            signIn.account->room = room;
        }
        res.set_content(DemoPages::ScriptCreator(*signIn.account, Param(req, "pass"), HostOf(req)), kHtml);
    };
    server.Get("/insertscript.php", scriptCreator);
    server.Post("/insertscript.php", scriptCreator);

    // The room query: the account's room name as plain text.
    server.Get("/createscript.php", [&store](const httplib::Request& req, httplib::Response& res) {
        NoCache(res);
        const auto account = store.FindByEmail(Param(req, "email"));
        if (!account) {
            res.status = 404;
            res.set_content("unknown account", kText);
            return;
        }
        res.set_content(account->room, kText);
    });

    server.Get("/JAVASCRIPT.php", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(DemoPages::RoomScript(Param(req, "room"), HostOf(req)), "application/javascript; charset=utf-8");
    });
    server.Get("/room.php", [&store](const httplib::Request& req, httplib::Response& res) {
        NoCache(res);
        res.set_content(DemoPages::RoomView(Param(req, "room"), store.PeoplePresent(), store.LastMessages(20)), kHtml);
    });
}
