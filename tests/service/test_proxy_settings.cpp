#include "LocalHttpServer.h"
#include "TestSupport.h"
#include "service/PageFetch.h"
#include "service/ProxySettings.h"

#include <QTest>

#include <cstdlib>

using namespace std::chrono_literals;

namespace {

const char* const kProxyVariables[] = {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY",
                                       "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"};

// Sets the proxy variables of one case ("name=value" each) and clears the others.
void SetProxyEnvironment(const QStringList& assignments)
{
    for (const char* name : kProxyVariables)
        ::unsetenv(name);
    for (const QString& assignment : assignments)
        ::setenv(qPrintable(assignment.section(u'=', 0, 0)), qPrintable(assignment.section(u'=', 1)), 1);
}

} // namespace

// The proxy settings read from the environment are the ones the HTTP fetch itself follows:
// each case checks what the reader says and whether a fetch really went through the proxy.
class ProxySettingsTest : public QObject {
    Q_OBJECT

    LocalHttpServer proxy;

private slots:
    void initTestCase()
    {
        proxy.server.Get(".*", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("through the proxy", "text/plain");
        });
        proxy.Start();
    }
    void cleanupTestCase() { SetProxyEnvironment({}); }

    void readerAgreesWithTheFetch_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("http");
        QTest::addColumn<QString>("https");
        QTest::addColumn<QString>("noProxy");
        QTest::addColumn<bool>("throughProxy");

        const QString p = "{proxy}";
        const QString name = "svc.vellomar.test";
        QTest::newRow("nothing set") << QStringList{} << name << "" << "" << "" << false;
        QTest::newRow("http_proxy") << QStringList{"http_proxy={proxy}"} << name << p << "" << "" << true;
        QTest::newRow("HTTP_PROXY is not read") << QStringList{"HTTP_PROXY={proxy}"} << name << "" << "" << "" << false;
        QTest::newRow("https_proxy is for https only")
            << QStringList{"https_proxy={proxy}"} << name << "" << p << "" << false;
        QTest::newRow("HTTPS_PROXY is read") << QStringList{"HTTPS_PROXY={proxy}"} << name << "" << p << "" << false;
        QTest::newRow("all_proxy for every scheme") << QStringList{"all_proxy={proxy}"} << name << p << p << "" << true;
        QTest::newRow("ALL_PROXY for every scheme") << QStringList{"ALL_PROXY={proxy}"} << name << p << p << "" << true;
        QTest::newRow("http_proxy before all_proxy")
            << QStringList{"http_proxy={proxy}", "all_proxy=http://127.0.0.1:1"} << name << p
            << "http://127.0.0.1:1" << "" << true;
        QTest::newRow("an empty http_proxy is unset")
            << QStringList{"http_proxy=", "all_proxy={proxy}"} << name << p << p << "" << true;
        QTest::newRow("no_proxy names the host")
            << QStringList{"http_proxy={proxy}", "no_proxy=svc.vellomar.test"} << name << p << "" << name << false;
        QTest::newRow("no_proxy names the domain")
            << QStringList{"http_proxy={proxy}", "no_proxy=example.org,.vellomar.test"} << name << p << ""
            << "example.org,.vellomar.test" << false;
        QTest::newRow("NO_PROXY is read")
            << QStringList{"http_proxy={proxy}", "NO_PROXY=vellomar.test"} << name << p << "" << "vellomar.test" << false;
        QTest::newRow("no_proxy * passes everything by")
            << QStringList{"http_proxy={proxy}", "no_proxy=*"} << name << p << "" << "*" << false;
        QTest::newRow("a similar name is not the domain")
            << QStringList{"http_proxy={proxy}", "no_proxy=llomar.test"} << name << p << "" << "llomar.test" << true;
        QTest::newRow("this machine goes through the proxy too")
            << QStringList{"http_proxy={proxy}"} << "127.0.0.1" << p << "" << "" << true;
    }
    void readerAgreesWithTheFetch()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, host);
        QFETCH(QString, http);
        QFETCH(QString, https);
        QFETCH(QString, noProxy);
        QFETCH(bool, throughProxy);
        const QString proxyAddress = QString::fromStdString(proxy.Host());
        environment.replaceInStrings(QStringLiteral("{proxy}"), proxyAddress);
        SetProxyEnvironment(environment);

        const ProxySettings settings = EnvironmentProxy();
        QCOMPARE(QString::fromStdString(settings.http), QString(http).replace(QStringLiteral("{proxy}"), proxyAddress));
        QCOMPARE(QString::fromStdString(settings.https), QString(https).replace(QStringLiteral("{proxy}"), proxyAddress));
        QCOMPARE(QString::fromStdString(settings.noProxy), noProxy);

        // Nothing listens on port 1 of this machine: a fetch that went direct fails at once.
        const std::string address = QStringLiteral("http://%1:1/check").arg(host).toStdString();
        FetchLimits limits;
        limits.connectTimeout = 3000ms;
        const std::size_t before = proxy.Requests().size();
        const FetchResult result = FetchHTML(address, limits);
        const bool proxied = proxy.Requests().size() > before;
        QCOMPARE(proxied, throughProxy);
        QCOMPARE(result.Failed, !throughProxy);
        if (proxied)
            QCOMPARE(QString::fromStdString(proxy.Requests().back().target), QString::fromStdString(address));
    }
};

VELLOMAR_TEST_MAIN(ProxySettingsTest)
#include "test_proxy_settings.moc"
