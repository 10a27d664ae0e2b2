#include "DemoPages.h"

#include "DemoText.h"

#include <ctime>

namespace DemoPages {

namespace {

std::string Layout(const std::string& title, const std::string& body, const std::string& head = {})
{
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" + Html(title) + " - Vellomar chat</title>"
           "<link rel=\"stylesheet\" href=\"/style.css\">" + head + "</head>\n<body>"
           "<header class=\"bar\"><a class=\"brand\" href=\"/\"><span class=\"logo\">V</span>Vellomar chat</a>"
           "<nav><a href=\"/signin.php\">New account</a><a href=\"/forgotton.php\">Forgotten password</a></nav>"
           "</header>\n<main>" + body + "</main>\n"
           "<footer>Vellomar demo service - it runs on this computer only.</footer></body></html>\n";
}

std::string Notice(const std::string& message, const char* kind = "error")
{
    return message.empty() ? std::string() : "<p class=\"notice " + std::string(kind) + "\">" + Html(message) + "</p>";
}

std::string Clock(std::int64_t ms)
{
    const std::time_t seconds = std::time_t(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[8];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

std::string PeopleList(const std::vector<std::string>& people)
{
    std::string items;
    for (const std::string& nick : people)
        items += "<li>" + Html(nick) + "</li>";
    return items.empty() ? "<li class=\"quiet\">Nobody yet</li>" : items;
}

std::string MessageItems(const std::vector<ChatStore::Message>& messages)
{
    std::string items;
    for (const auto& m : messages)
        items += "<li><time>" + Clock(m.at) + "</time><b>" + Html(m.nick) + "</b> <span>" + Html(m.text)
            + "</span></li>";
    return items;
}

std::string JsonList(const std::vector<std::string>& values)
{
    std::string out = "[";
    for (const std::string& v : values)
        out += (out.size() > 1 ? "," : "") + Json(v);
    return out + "]";
}

} // namespace

std::string StyleSheet()
{
    return R"CSS(
:root { --ink:#1d2a3a; --muted:#5d6b7c; --deep:#16408c; --teal:#18a0aa; --amber:#ffbe3c; --paper:#f4f7fa; }
* { box-sizing: border-box; }
body { margin:0; font: 15px/1.45 "DejaVu Sans", "Liberation Sans", sans-serif; color:var(--ink); background:var(--paper); }
a { color:var(--deep); }
.bar { display:flex; align-items:center; justify-content:space-between; padding:8px 18px;
       background:linear-gradient(100deg, var(--deep), var(--teal)); color:#fff; }
.bar a { color:#fff; text-decoration:none; }
.bar nav a { margin-left:18px; opacity:.9; font-size:14px; }
.brand { font-weight:bold; font-size:18px; display:flex; align-items:center; gap:10px; }
.logo { display:inline-grid; place-items:center; width:30px; height:30px; border-radius:9px; background:#fff;
        color:var(--deep); font-weight:bold; }
main { max-width:860px; margin:14px auto; padding:0 14px; }
footer { text-align:center; color:var(--muted); font-size:12px; padding:18px; }
.card { background:#fff; border-radius:12px; padding:16px 20px; box-shadow:0 2px 10px rgba(20,40,80,.08); margin-bottom:18px; }
h1 { font-size:24px; margin:0 0 12px; color:var(--deep); }
h2 { font-size:17px; margin:0 0 10px; color:var(--deep); }
label { display:block; margin:10px 0 4px; font-size:13px; color:var(--muted); }
input[type=text], input[type=email], input[type=password] { width:100%; max-width:360px; padding:8px 10px;
       border:1px solid #c8d2dd; border-radius:8px; font:inherit; }
button { margin-top:14px; padding:8px 18px; border:0; border-radius:8px; background:var(--deep); color:#fff;
         font:inherit; cursor:pointer; }
button:hover { background:var(--teal); }
.notice { padding:10px 14px; border-radius:8px; }
.notice.error { background:#fdecea; color:#8a1c12; }
.notice.ok { background:#e6f6ee; color:#14613a; }
pre { background:#0f2140; color:#e8f1ff; padding:12px; border-radius:8px; white-space:pre-wrap; word-break:break-all; font-size:13px; }
.quiet { color:var(--muted); }
.me { margin:0 0 8px; }
.room { display:grid; grid-template-columns: 1fr 170px; gap:16px; }
.room .card { margin:0; }
#messages { list-style:none; margin:0; padding:0; height:calc(100vh - 230px); min-height:140px; overflow-y:auto; }
#messages li { padding:5px 0; border-bottom:1px solid #eef2f6; }
#messages time { color:var(--muted); font-size:12px; margin-right:8px; }
#messages li.arrival { color:var(--teal); font-style:italic; }
#people { list-style:none; margin:0; padding:0; }
#people li { padding:4px 0 4px 18px; position:relative; }
#people li:before { content:""; position:absolute; left:2px; top:11px; width:8px; height:8px; border-radius:50%; background:#2ea050; }
#people li.quiet:before { display:none; }
.send { display:flex; gap:8px; margin-top:12px; }
.send input { flex:1; max-width:none; }
.send button { margin:0; }
.compact main { margin:8px auto; }
)CSS";
}

std::string Home()
{
    return Layout("Welcome",
                  "<div class=\"card\"><h1>Welcome to the Vellomar demo chat</h1>"
                  "<p>This small service lets the Vellomar desktop client work out of the box. Log in from the "
                  "client with the demo account (e-mail <b>demo@vellomar.test</b>, password <b>demo</b>), or "
                  "<a href=\"/signin.php\">create your own account</a>.</p></div>");
}

std::string SignIn(const std::string& message, const std::string& nick, const std::string& email)
{
    return Layout("New account",
                  "<div class=\"card\"><h1>Sign in for a new account</h1>" + Notice(message)
                      + "<form method=\"post\" action=\"/signin.php\">"
                        "<label for=\"nick\">Nick</label><input type=\"text\" id=\"nick\" name=\"nick\" value=\""
                      + Html(nick)
                      + "\" required>"
                        "<label for=\"email\">E-mail</label><input type=\"email\" id=\"email\" name=\"email\" value=\""
                      + Html(email)
                      + "\" required>"
                        "<label for=\"password\">Password</label>"
                        "<input type=\"password\" id=\"password\" name=\"password\" required>"
                        "<br><button type=\"submit\">Create my account</button></form></div>");
}

std::string SignedIn(const std::string& nick, const std::string& email)
{
    return Layout("Account created",
                  "<div class=\"card\"><h1>Welcome, " + Html(nick) + "!</h1>"
                  + Notice("Your account has been created.", "ok")
                  + "<p>Log in from the Vellomar client with the e-mail address <b>" + Html(email)
                  + "</b> and your password.</p></div>");
}

std::string Forgotten(const std::string& message)
{
    return Layout("Forgotten password",
                  "<div class=\"card\"><h1>Forgotten password</h1>"
                  "<p>This demo service sends no e-mail: give your nick and e-mail address and choose a new "
                  "password.</p>" + Notice(message)
                  + "<form method=\"post\" action=\"/forgotton.php\">"
                    "<label for=\"nick\">Nick</label><input type=\"text\" id=\"nick\" name=\"nick\" required>"
                    "<label for=\"email\">E-mail</label><input type=\"email\" id=\"email\" name=\"email\" required>"
                    "<label for=\"password\">New password</label>"
                    "<input type=\"password\" id=\"password\" name=\"password\" required>"
                    "<br><button type=\"submit\">Set the new password</button></form></div>");
}

std::string PasswordReset(const std::string& nick)
{
    return Layout("Password changed",
                  "<div class=\"card\"><h1>Password changed</h1>"
                  + Notice("The password of " + nick + " has been changed.", "ok")
                  + "<p>Log in from the Vellomar client with the new password.</p></div>");
}

std::string LoginRefused(bool tooManyFailures)
{
    return Layout("Not logged in",
                  "<div class=\"card\"><h1>Not logged in</h1>"
                  + Notice(tooManyFailures ? "Too many failed sign-ins: please wait a little and try again."
                                           : "The e-mail address or the password is not right.")
                  + "<p><a href=\"/forgotton.php\">Forgotten password?</a> &middot; "
                    "<a href=\"/signin.php\">Sign in for a new account</a></p></div>");
}

std::string Chat(const std::string& nick, const ChatStore::Entry& entry, const std::vector<std::string>& people,
                 const std::vector<ChatStore::Message>& history)
{
    const std::string script = R"JS(
(function () {
  var lastArrival = ARRIVAL, lastMessage = MESSAGE, pollAgain = 1000;
  var messages = document.getElementById('messages'), people = document.getElementById('people');
  // Only the desktop client's page object has this method; a plain browser skips it.
  function tellHost(name) {
    try {
      if (window.external && typeof window.external.pagesetup === 'function') window.external.pagesetup(name);
    } catch (e) {}
  }
  function clock(ms) { var d = new Date(ms); return ('0' + d.getHours()).slice(-2) + ':' + ('0' + d.getMinutes()).slice(-2); }
  function line(cls, when, who, text) {
    var li = document.createElement('li');
    if (cls) li.className = cls;
    var t = document.createElement('time'); t.textContent = clock(when); li.appendChild(t);
    if (who) { var b = document.createElement('b'); b.textContent = who; li.appendChild(b); li.appendChild(document.createTextNode(' ')); }
    var s = document.createElement('span'); s.textContent = text; li.appendChild(s);
    messages.appendChild(li);
    // A room that talks all day keeps its last lines only.
    while (messages.children.length > KEEP) messages.removeChild(messages.firstChild);
    messages.scrollTop = messages.scrollHeight;
  }
  function showPeople(list) {
    people.textContent = '';
    list.forEach(function (name) { var li = document.createElement('li'); li.textContent = name; people.appendChild(li); });
  }
  function poll() {
    fetch('/chat/poll?token=' + TOKEN + '&arrival=' + lastArrival + '&message=' + lastMessage, { cache: 'no-store' })
      .then(function (r) { if (!r.ok) throw new Error('status ' + r.status); return r.json(); })
      .then(function (u) {
        showPeople(u.people);
        u.arrivals.forEach(function (a) {
          lastArrival = a.id;
          line('arrival', Date.now(), '', a.nick + ' entered the room');
          tellHost(a.nick);
        });
        u.messages.forEach(function (m) { lastMessage = m.id; line('', m.at, m.nick, m.text); });
        // The service says when to ask again: sooner when its room runs on a faster clock.
        pollAgain = u.next > 0 ? u.next : 1000;
      })
      .catch(function () {})
      .then(function () { setTimeout(poll, pollAgain); });
  }
  document.getElementById('send').addEventListener('submit', function (event) {
    event.preventDefault();
    var box = document.getElementById('text');
    if (!box.value.trim()) return;
    var body = new URLSearchParams({ token: TOKEN, text: box.value });
    box.value = '';
    fetch('/chat/say', { method: 'POST', body: body });
  });
  messages.scrollTop = messages.scrollHeight;
  poll();
})();
)JS";
    std::string code = script;
    const auto put = [&code](const std::string& key, const std::string& value) {
        for (std::size_t at = code.find(key); at != std::string::npos; at = code.find(key, at + value.size()))
            code.replace(at, key.size(), value);
    };
    put("KEEP", "200");
    put("ARRIVAL", std::to_string(entry.arrivalId));
    put("MESSAGE", std::to_string(entry.lastMessageId));
    put("TOKEN", Json(entry.token));
    return Layout("Chat room",
                  "<div class=\"room\"><section class=\"card\"><h2>Vellomar lobby</h2>"
                  "<p class=\"quiet me\">You are <b>" + Html(nick) + "</b>.</p>"
                  "<ul id=\"messages\">" + MessageItems(history) + "</ul>"
                  "<form id=\"send\" class=\"send\"><input type=\"text\" id=\"text\" autocomplete=\"off\" "
                  "placeholder=\"Say something to the room\" maxlength=\"500\" autofocus><button type=\"submit\">Send</button>"
                  "</form></section><aside class=\"card\"><h2>In the room</h2><ul id=\"people\">"
                  + PeopleList(people) + "</ul></aside></div><script>" + code + "</script>");
}

std::string ScriptCreator(const ChatStore::Account& account, const std::string& password, const std::string& host)
{
    const std::string tag = "<script language=\"JavaScript\" src=\"" + host + "/JAVASCRIPT.php?room="
        + UrlValue(account.room) + "\"></script>";
    return Layout("Your chat script",
                  "<div class=\"card\"><h1>Put the chat on your web site</h1>"
                  "<p>Copy this line into any page of your site. It shows your room <b>" + Html(account.room)
                  + "</b> to your visitors.</p><pre>" + Html(tag) + "</pre>"
                  "<form method=\"post\" action=\"/insertscript.php\"><input type=\"hidden\" name=\"email\" value=\""
                  + Html(account.email) + "\"><input type=\"hidden\" name=\"pass\" value=\"" + Html(password)
                  + "\"><label for=\"room\">Room name</label><input type=\"text\" id=\"room\" name=\"room\" value=\""
                  + Html(account.room) + "\" required><br><button type=\"submit\">Rename the room</button></form>"
                  "</div><div class=\"card\"><h2>Preview</h2>" + tag + "</div>");
}

std::string RoomView(const std::string& room, const std::vector<std::string>& people,
                     const std::vector<ChatStore::Message>& messages)
{
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><meta http-equiv=\"refresh\" "
           "content=\"5\"><title>" + Html(room) + " - Vellomar chat</title><link rel=\"stylesheet\" "
           "href=\"/style.css\"></head><body class=\"compact\"><main><div class=\"room\"><section class=\"card\">"
           "<h2>" + Html(room) + "</h2><ul id=\"messages\">" + MessageItems(messages) + "</ul>"
           "<p><a href=\"/signin.php\" target=\"_top\">Join the chat</a></p></section><aside class=\"card\">"
           "<h2>In the room</h2><ul id=\"people\">" + PeopleList(people) + "</ul></aside></div></main></body></html>\n";
}

std::string RoomScript(const std::string& room, const std::string& host)
{
    return "(function () {\n"
           "  var frame = document.createElement('iframe');\n"
           "  frame.src = " + Json(host + "/room.php?room=" + UrlValue(room)) + ";\n"
           "  frame.title = " + Json("Vellomar chat: " + room) + ";\n"
           "  frame.style.cssText = 'width:100%;max-width:640px;height:440px;border:0;border-radius:12px;"
           "box-shadow:0 2px 10px rgba(20,40,80,.15)';\n"
           "  var here = document.currentScript;\n"
           "  if (here && here.parentNode) here.parentNode.insertBefore(frame, here);\n"
           "  else document.body.appendChild(frame);\n"
           "})();\n";
}

std::string PollAnswer(const ChatStore::Update& update, std::chrono::milliseconds pollAgain)
{
    std::string arrivals, messages;
    for (const auto& a : update.arrivals)
        arrivals += (arrivals.empty() ? "" : ",") + std::string("{\"id\":") + std::to_string(a.id)
            + ",\"nick\":" + Json(a.nick) + "}";
    for (const auto& m : update.messages)
        messages += (messages.empty() ? "" : ",") + std::string("{\"id\":") + std::to_string(m.id)
            + ",\"nick\":" + Json(m.nick) + ",\"text\":" + Json(m.text) + ",\"at\":" + std::to_string(m.at) + "}";
    return "{\"people\":" + JsonList(update.people) + ",\"arrivals\":[" + arrivals + "],\"messages\":[" + messages
        + "],\"next\":" + std::to_string(pollAgain.count()) + "}";
}

} // namespace DemoPages
