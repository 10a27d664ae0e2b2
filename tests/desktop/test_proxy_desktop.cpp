// The whole client on a real display, with http_proxy naming a small local proxy that counts
// what passes through it: logging in as a person would, the login check and the chat page both
// reach the demo service through that proxy. The service's name does not resolve, so nothing
// could have gone by another way. The test saves the main window and the chat room in out/.
#include "ChildProcess.h"
#include "DemoService.h"
#include "DesktopSupport.h"
#include "ForwardingProxy.h"
#include "TestSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace {

// The requests the proxy passed for one path, by user agent.
int Passed(const std::vector<LocalHttpServer::Seen>& requests, const std::string& path, const std::string& agent)
{
    int count = 0;
    for (const LocalHttpServer::Seen& seen : requests) {
        const auto header = seen.headers.find("User-Agent");
        if (seen.target.find(path) != std::string::npos && header != seen.headers.end()
            && header->second.find(agent) != std::string::npos)
            ++count;
    }
    return count;
}

void SaveWindow(const QString& window, const QString& name)
{
    const QString folder = QStringLiteral(VELLOMAR_SOURCE_DIR "/out");
    QDir().mkpath(folder);
    QGuiApplication::primaryScreen()->grabWindow(window.toULongLong()).save(folder + u'/' + name);
}

} // namespace

class ProxyDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString why = WhyNoDesktop({"xdotool"}); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void loginCheckAndChatPageGoThroughTheProxy()
    {
        DemoService demo;
        QVERIFY2(demo.port > 0, "the demo service did not start");
        ForwardingProxy proxy(demo.port);

        ClientFolders folders;
        QMap<QString, QString> environment = folders.Environment();
        environment.insert(QStringLiteral("http_proxy"), QString::fromStdString(proxy.Address()));
        environment.insert(QStringLiteral("no_proxy"), QString());
        const QString service = QStringLiteral("http://chat.vellomar.test:%1").arg(demo.port);
        ChildProcess client;
        QVERIFY(client.Start(ClientProgram(), {"--service-host", service}, environment));
        QVERIFY2(client.WaitForOutput("vellomar-trace page-loaded"), client.Output().constData());
        QStringList windows;
        QVERIFY(WaitFor([&] { return !(windows = VisibleWindowsNamed(QStringLiteral("Vellomar manager"))).isEmpty(); }));
        const QString main = windows.first();
        // Let the start-up picture go.
        QTest::qWait(4500);
        SaveWindow(main, QStringLiteral("main-window.png"));

        // The sidebar's "Login", then the three fields in tab order and Enter, as a person types.
        Xdotool({"mousemove", "--window", main, "60", "27", "click", "1"});
        QVERIFY(WaitFor([&] { return !(windows = VisibleWindowsNamed(QStringLiteral("Vellomar Login"))).isEmpty(); }));
        const QString login = windows.first();
        Xdotool({"windowactivate", "--sync", login});
        Xdotool({"mousemove", "--window", login, "200", "33", "click", "1"});
        const QStringList fields{"demo", "demo@vellomar.test", "demo"};
        for (const QString& field : fields) {
            Xdotool({"key", "--clearmodifiers", "ctrl+a"});
            Xdotool({"type", "--delay", "40", field});
            Xdotool({"key", &field == &fields.last() ? "Return" : "Tab"});
        }

        // The engine's own user agent names it; the login check's is "InetURL:/1.0".
        QVERIFY2(WaitFor([&] { return Passed(proxy.Requests(), "/JAVASCRIPTWEXE.php", "QtWebEngine") > 0; }, 30000),
                 "the chat page did not come through the proxy");
        QCOMPARE(Passed(proxy.Requests(), "/enterw.php", "InetURL:/1.0"), 1);
        // The page's own requests follow the same way.
        QVERIFY2(WaitFor([&] { return Passed(proxy.Requests(), "/chat/poll", "QtWebEngine") > 0; }),
                 "the chat page's updates did not come through the proxy");
        QTest::qWait(500);
        SaveWindow(main, QStringLiteral("chat-room.png"));
        for (const LocalHttpServer::Seen& seen : proxy.Requests())
            QVERIFY2(seen.target.rfind(service.toStdString(), 0) == 0, seen.target.c_str());
        client.Stop();
    }
};

VELLOMAR_TEST_MAIN(ProxyDesktopTest)
#include "test_proxy_desktop.moc"
