#include "DemoService.h"
#include "service/PageFetch.h"
#include "service/ServiceAddresses.h"

#include <httplib.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

namespace {

// The chat page's own session: its token and where its news starts.
struct Visit {
    std::string token;
    int arrival = 0;
    int message = 0;
};

Visit VisitOf(const std::string& page)
{
    const QString text = QString::fromStdString(page);
    const auto start = QRegularExpression(QStringLiteral("var lastArrival = (\\d+), lastMessage = (\\d+)")).match(text);
    const auto token = QRegularExpression(QStringLiteral("'/chat/poll\\?token=' \\+ \"([0-9a-f]{32})\"")).match(text);
    return {token.captured(1).toStdString(), start.captured(1).toInt(), start.captured(2).toInt()};
}

} // namespace

class DemoServiceTest : public QObject {
    Q_OBJECT

private:
    DemoService demo;

    std::string Get(const std::string& address) { return FetchHTML(address).Text; }
    QJsonObject Poll(const Visit& visit)
    {
        const FetchResult r = FetchHTML(demo.host + "/chat/poll?token=" + visit.token + "&arrival="
                                        + std::to_string(visit.arrival) + "&message=" + std::to_string(visit.message));
        return QJsonDocument::fromJson(QByteArray::fromStdString(r.Text)).object();
    }
    std::string Post(const char* path, const httplib::Params& form)
    {
        httplib::Client client("127.0.0.1", demo.port);
        const auto res = client.Post(path, form);
        return res ? res->body : std::string("(no answer)");
    }

private slots:
    void initTestCase() { QVERIFY2(demo.Started(), "the demo service did not start"); }

    void loginCheck_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("demo account") << "demo@vellomar.test" << "demo" << QByteArray("OK");
        QTest::newRow("second account") << "ann@vellomar.test" << "ann" << QByteArray("OK");
        QTest::newRow("e-mail in other case") << "Demo@Vellomar.Test" << "demo" << QByteArray("OK");
        QTest::newRow("wrong password") << "demo@vellomar.test" << "Demo" << QByteArray("NO");
        QTest::newRow("unknown account") << "nobody@vellomar.test" << "demo" << QByteArray("NO");
        QTest::newRow("empty") << "" << "" << QByteArray("NO");
    }
    void loginCheck()
    {
        QFETCH(QString, email);
        QFETCH(QString, password);
        QFETCH(QByteArray, answer);
        const FetchResult r =
            FetchHTML(ServiceAddress::LoginCheck(demo.host, "any nick", email.toStdString(), password.toStdString()));
        QVERIFY(!r.Failed);
        QCOMPARE(QByteArray::fromStdString(TrimAnswer(r.Text)), answer);
    }

    void roomQuery()
    {
        const FetchResult known = FetchHTML(ServiceAddress::RoomQuery(demo.host, "ann@vellomar.test"));
        QCOMPARE(TrimAnswer(known.Text), std::string("ann"));
        const FetchResult unknown = FetchHTML(ServiceAddress::RoomQuery(demo.host, "nobody@x"));
        QVERIFY(unknown.Failed);
        QCOMPARE(unknown.Text, std::string("Status:404"));
    }

    // A password typed in the client arrives as Windows-1252 bytes; a browser sends UTF-8.
    void newAccountWorksFromBothSides()
    {
        const std::string page = Post("/signin.php", {{"nick", "Zo\xC3\xA9"}, {"email", "zoe@x.test"},
                                                      {"password", "caf\xC3\xA9 1"}});
        QVERIFY(page.find("Your account has been created") != std::string::npos);
        QCOMPARE(TrimAnswer(Get(ServiceAddress::LoginCheck(demo.host, "Zo\xE9", "zoe@x.test", "caf\xE9 1"))),
                 std::string("OK"));
        const std::string again = Post("/signin.php", {{"nick", "other"}, {"email", "ZOE@x.test"}, {"password", "p"}});
        QVERIFY(again.find("already exists") != std::string::npos);
        const std::string hostile = Post("/signin.php", {{"nick", "<b>x</b>"}, {"email", "b@x"}, {"password", ""}});
        QVERIFY(hostile.find("&lt;b&gt;x&lt;/b&gt;") != std::string::npos);
        QVERIFY(hostile.find("<b>x</b>") == std::string::npos);
    }

    void forgottenPasswordSetsANewOne()
    {
        Post("/signin.php", {{"nick", "bob"}, {"email", "bob@x.test"}, {"password", "old"}});
        const std::string wrong = Post("/forgotton.php", {{"nick", "ann"}, {"email", "bob@x.test"}, {"password", "n"}});
        QVERIFY(wrong.find("No account has that nick") != std::string::npos);
        Post("/forgotton.php", {{"nick", "bob"}, {"email", "bob@x.test"}, {"password", "new"}});
        QCOMPARE(TrimAnswer(Get(ServiceAddress::LoginCheck(demo.host, "bob", "bob@x.test", "new"))), std::string("OK"));
        QCOMPARE(TrimAnswer(Get(ServiceAddress::LoginCheck(demo.host, "bob", "bob@x.test", "old"))), std::string("NO"));
    }

    // Guessing is slowed down: past a few failures even the right password waits its turn.
    void failedSignInsAreSlowedDown()
    {
        Post("/signin.php", {{"nick", "carol"}, {"email", "carol@x.test"}, {"password", "right"}});
        const std::string right = ServiceAddress::LoginCheck(demo.host, "carol", "carol@x.test", "right");
        QCOMPARE(TrimAnswer(Get(right)), std::string("OK"));
        const std::string guess = ServiceAddress::LoginCheck(demo.host, "carol", "carol@x.test", "guess");
        for (int i = 0; i < 6; ++i)
            QCOMPARE(TrimAnswer(Get(guess)), std::string("NO"));
        QTest::qWait(1100);  // past the first wait of a second: the next failure earns two
        QCOMPARE(TrimAnswer(Get(guess)), std::string("NO"));
        httplib::Client client("127.0.0.1", demo.port);
        const auto held = client.Get(right.substr(demo.host.size()));
        QVERIFY(held);
        QCOMPARE(held->body, std::string("NO"));
        const QByteArray retryAfter = QByteArray::fromStdString(held->get_header_value("Retry-After"));
        QVERIFY2(retryAfter == "1" || retryAfter == "2", retryAfter.constData());
        const std::string page = Get(ServiceAddress::ChatPage(demo.host, "carol", "carol@x.test", "right"));
        QVERIFY(page.find("Too many failed sign-ins") != std::string::npos);
        QTRY_COMPARE_WITH_TIMEOUT(TrimAnswer(Get(right)), std::string("OK"), 5000);
    }

    void pagesAnswer_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("contains");
        QTest::newRow("home") << QByteArray("/") << QByteArray("demo@vellomar.test");
        QTest::newRow("sign-in page") << QByteArray("/signin.php") << QByteArray("name=\"password\"");
        QTest::newRow("forgotten password page") << QByteArray("/forgotton.php") << QByteArray("New password");
        QTest::newRow("style sheet") << QByteArray("/style.css") << QByteArray("#messages");
        QTest::newRow("script creator")
            << QByteArray("/insertscript.php?email=demo%40vellomar.test&pass=demo")
            << QByteArray("/JAVASCRIPT.php?room=demo&quot;&gt;&lt;/script&gt;");
        QTest::newRow("script creator refused")
            << QByteArray("/insertscript.php?email=demo%40vellomar.test&pass=x") << QByteArray("Not logged in");
        QTest::newRow("chat page refused")
            << QByteArray("/JAVASCRIPTWEXE.php?username=x&email=demo%40vellomar.test&pass=x")
            << QByteArray("Not logged in");
        QTest::newRow("room script") << QByteArray("/JAVASCRIPT.php?room=my room") << QByteArray("/room.php?room=my%20room");
        QTest::newRow("room view escapes") << QByteArray("/room.php?room=%3Ci%3E") << QByteArray("<h2>&lt;i&gt;</h2>");
    }
    void pagesAnswer()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, contains);
        const FetchResult r = FetchHTML(demo.host + path.toStdString());
        QVERIFY2(!r.Failed, r.Reason.c_str());
        QVERIFY2(r.Text.find(contains.toStdString()) != std::string::npos, r.Text.substr(0, 400).c_str());
    }

    // Somebody loading the chat page enters the room; the pages already there learn it at
    // their next poll and call the host's pagesetup with the newcomer's nick.
    void arrivalsReachThePagesInTheRoom()
    {
        const std::string page = Get(ServiceAddress::ChatPage(demo.host, "demo", "demo@vellomar.test", "demo"));
        QVERIFY(page.find("window.external.pagesetup(name)") != std::string::npos);
        QVERIFY(page.find("typeof window.external.pagesetup === 'function'") != std::string::npos);
        const Visit mine = VisitOf(page);
        QVERIFY(!mine.token.empty());

        QJsonObject first = Poll(mine);
        QCOMPARE(first.value(QStringLiteral("arrivals")).toArray().size(), 0);
        // A room on the real clock has its pages ask every second.
        QCOMPARE(first.value(QStringLiteral("next")).toInt(), 1000);

        Get(ServiceAddress::ChatPage(demo.host, "ann", "ann@vellomar.test", "ann"));
        const QJsonObject news = Poll(mine);
        const QJsonArray arrivals = news.value(QStringLiteral("arrivals")).toArray();
        QCOMPARE(arrivals.size(), 1);
        QCOMPARE(arrivals[0].toObject().value(QStringLiteral("nick")).toString(), QStringLiteral("ann"));
        const QJsonArray people = news.value(QStringLiteral("people")).toArray();
        QVERIFY(people.contains(QStringLiteral("ann")));
        QVERIFY(people.contains(QStringLiteral("demo")));

        // A refused visit enters nobody.
        Get(ServiceAddress::ChatPage(demo.host, "eve", "ann@vellomar.test", "wrong"));
        Visit later = mine;
        later.arrival = arrivals[0].toObject().value(QStringLiteral("id")).toInt();
        QCOMPARE(Poll(later).value(QStringLiteral("arrivals")).toArray().size(), 0);
    }

    void messagesReachTheRoom()
    {
        const Visit mine = VisitOf(Get(ServiceAddress::ChatPage(demo.host, "demo", "demo@vellomar.test", "demo")));
        httplib::Client client("127.0.0.1", demo.port);
        QCOMPARE(client.Post("/chat/say", httplib::Params{{"token", mine.token}, {"text", "hello <all>"}})->status, 204);
        QCOMPARE(client.Post("/chat/say", httplib::Params{{"token", "forged"}, {"text", "x"}})->status, 404);
        const QJsonArray messages = Poll(mine).value(QStringLiteral("messages")).toArray();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].toObject().value(QStringLiteral("text")).toString(), QStringLiteral("hello <all>"));
        QCOMPARE(messages[0].toObject().value(QStringLiteral("nick")).toString(), QStringLiteral("demo"));
        const std::string view = Get(demo.host + "/room.php?room=demo");
        QVERIFY(view.find("hello &lt;all&gt;") != std::string::npos);
        QCOMPARE(client.Get("/chat/poll?token=forged&arrival=0&message=0")->status, 404);

        // A long message is cut between characters, never inside one.
        const std::string longText = std::string(1999, 'a') + "\xC3\xA9\xC3\xA9";
        QCOMPARE(client.Post("/chat/say", httplib::Params{{"token", mine.token}, {"text", longText}})->status, 204);
        Visit after = mine;
        after.message = messages[0].toObject().value(QStringLiteral("id")).toInt();
        const QString stored = Poll(after).value(QStringLiteral("messages")).toArray()[0].toObject()
                                   .value(QStringLiteral("text")).toString();
        QCOMPARE(stored, QString(1999, QLatin1Char('a')));
    }

    // A simulated room talks at its pace: at a time scale of 0.005, a message every 5 ms and a
    // newcomer every 300 ms.
    void simulatedRoomTalksOnItsTimeScale()
    {
        DemoService busy({QStringLiteral("--simulate-chat"), QStringLiteral("0.005")});
        QVERIFY(busy.port > 0);
        // Timed from before the visit: the room's clock runs from the moment the page is made.
        QElapsedTimer watched;
        watched.start();
        const Visit mine =
            VisitOf(FetchHTML(ServiceAddress::ChatPage(busy.host, "demo", "demo@vellomar.test", "demo")).Text);
        QTest::qWait(1500);
        const FetchResult r = FetchHTML(busy.host + "/chat/poll?token=" + mine.token + "&arrival="
                                        + std::to_string(mine.arrival) + "&message=" + std::to_string(mine.message));
        const qint64 elapsed = watched.elapsed();
        const QJsonObject news = QJsonDocument::fromJson(QByteArray::fromStdString(r.Text)).object();
        const QJsonArray messages = news.value(QStringLiteral("messages")).toArray();
        const QJsonArray arrivals = news.value(QStringLiteral("arrivals")).toArray();
        // One poll gives at most 200 messages; the schedule has made about 300 by now.
        QCOMPARE(messages.size(), 200);
        QCOMPARE(messages[0].toObject().value(QStringLiteral("nick")).toString(), QStringLiteral("tess"));
        QStringList newcomers;
        for (const QJsonValue& arrival : arrivals)
            newcomers << arrival.toObject().value(QStringLiteral("nick")).toString();
        // The resident member may enter just after this page did.
        newcomers.removeAll(QStringLiteral("tess"));
        // One more than whole periods: a newcomer may fall due on either edge of the watch.
        QVERIFY2(newcomers.size() >= 2 && newcomers.size() <= elapsed / 300 + 1, qPrintable(newcomers.join(u' ')));
        QCOMPARE(newcomers.first(), QStringLiteral("ann1"));
        // Its pages ask as often as its clock runs faster, down to every 10 ms.
        QCOMPARE(news.value(QStringLiteral("next")).toInt(), 10);
    }

    void endsCleanlyOnTerminate()
    {
        DemoService other;
        QVERIFY(other.Started());
        other.process.Process().terminate();
        QVERIFY(other.process.WaitForEnd(5000));
        QVERIFY2(other.process.EndedCleanly(), other.process.Output().constData());
    }
};

QTEST_GUILESS_MAIN(DemoServiceTest)
#include "test_demo_service.moc"
