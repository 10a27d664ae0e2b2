#include "LocalHttpServer.h"
#include "service/PageFetch.h"

#include <QElapsedTimer>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// Limits short enough that a test of them ends quickly.
FetchLimits ShortLimits()
{
    FetchLimits limits;
    limits.connectTimeout = 2000ms;
    limits.stallTimeout = 400ms;
    limits.maxBodyBytes = 64 * 1024;
    return limits;
}

std::string Chunk(int i)
{
    std::string chunk(5000, char('a' + i));
    chunk[100] = '\0';  // a zero byte must not cost the rest of its chunk
    return chunk;
}

} // namespace

class PageFetchTest : public QObject {
    Q_OBJECT

private:
    LocalHttpServer web;
    std::string chunkedBody;

private slots:
    void initTestCase()
    {
        for (int i = 0; i < 5; ++i)
            chunkedBody += Chunk(i);
        web.server.Get("/chunks", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/plain", [this](size_t, httplib::DataSink& sink) {
                for (int i = 0; i < 5; ++i) {
                    const std::string chunk = Chunk(i);
                    sink.write(chunk.data(), chunk.size());
                    web.Stall(20ms);
                }
                sink.done();
                return true;
            });
        });
        web.server.Get("/found", [](const httplib::Request&, httplib::Response& res) {
            res.status = 302;
            res.set_content("room-from-302", "text/plain");
        });
        web.server.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/plain", 301);
        });
        web.server.Get("/plain", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content("plain:" + req.get_param_value("pass"), "text/plain");
        });
        web.server.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("this body is not an answer", "text/plain");
        });
        web.server.Get("/broken", [](const httplib::Request&, httplib::Response& res) {
            res.status = 500;
        });
        web.server.Get("/silent", [this](const httplib::Request&, httplib::Response& res) {
            web.Stall(20s);
            res.set_content("late", "text/plain");
        });
        web.server.Get("/trickle", [this](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/plain", [this](size_t, httplib::DataSink& sink) {
                sink.write("first part", 10);
                web.Stall(20s);
                sink.done();
                return true;
            });
        });
        web.server.Get("/huge", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(200 * 1024, 'x'), "text/plain");
        });
        web.server.Get("/huge-chunked", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("text/plain", [](size_t, httplib::DataSink& sink) {
                const std::string block(16 * 1024, 'y');
                for (int i = 0; i < 12 && sink.is_writable(); ++i)
                    sink.write(block.data(), block.size());
                sink.done();
                return true;
            });
        });
        web.Start();
    }

    void addsSchemeOnlyWhenMissing_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("requested");
        QTest::newRow("http kept") << QByteArray("http://h/x") << QByteArray("http://h/x");
        QTest::newRow("upper case kept") << QByteArray("HTTP://HOST/x") << QByteArray("HTTP://HOST/x");
        QTest::newRow("https kept") << QByteArray("https://h/x") << QByteArray("https://h/x");
        QTest::newRow("mixed-case https kept") << QByteArray("HttpS://h/x") << QByteArray("HttpS://h/x");
        QTest::newRow("bare host prefixed") << QByteArray("host/x") << QByteArray("http://host/x");
        QTest::newRow("scheme only in the query")
            << QByteArray("host/x?u=http://y") << QByteArray("http://host/x?u=http://y");
        QTest::newRow("other scheme prefixed") << QByteArray("ftp://h/x") << QByteArray("http://ftp://h/x");
        QTest::newRow("empty") << QByteArray() << QByteArray("http://");
    }
    void addsSchemeOnlyWhenMissing()
    {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, requested);
        QCOMPARE(QByteArray::fromStdString(AddressWithScheme(address.toStdString())), requested);
    }

    void readsAnswers_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("body");
        const QByteArray host = QByteArray::fromStdString(web.Host());
        const QByteArray bare = host.mid(int(strlen("http://")));
        QTest::newRow("chunks whole and in order")
            << host + "/chunks" << QByteArray::fromStdString(chunkedBody);
        QTest::newRow("302 read like 200") << host + "/found" << QByteArray("room-from-302");
        QTest::newRow("redirect followed") << host + "/moved" << QByteArray("plain:");
        QTest::newRow("upper-case scheme") << "HTTP://" + bare + "/plain" << QByteArray("plain:");
        QTest::newRow("no scheme") << bare + "/plain" << QByteArray("plain:");
        QTest::newRow("raw space reaches the server") << host + "/plain?pass=a b" << QByteArray("plain:a b");
        QTest::newRow("encoded bytes reach the server") << host + "/plain?pass=%26%20x" << QByteArray("plain:& x");
    }
    void readsAnswers()
    {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, body);
        const FetchResult result = FetchHTML(address.toStdString(), ShortLimits());
        QVERIFY2(!result.Failed, result.Reason.c_str());
        QCOMPARE(QByteArray::fromStdString(result.Text), body);
    }

    void failsWithoutTakingItForAnAnswer_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("reasonHas");
        const QByteArray host = QByteArray::fromStdString(web.Host());
        QTest::newRow("404") << host + "/missing" << QByteArray("Status:404") << QByteArray("404");
        QTest::newRow("500") << host + "/broken" << QByteArray("Status:500") << QByteArray("500");
        QTest::newRow("unreachable host")
            << QByteArray("http://127.0.0.1:") + QByteArray::number(UnusedLocalPort()) + "/x" << QByteArray()
            << QByteArray("127.0.0.1");
        QTest::newRow("server silent") << host + "/silent" << QByteArray("Status:timeout") << QByteArray("0.4 s");
        QTest::newRow("server stalls mid-body")
            << host + "/trickle" << QByteArray("Status:timeout") << QByteArray("0.4 s");
        QTest::newRow("oversized body") << host + "/huge" << QByteArray("Status:too large") << QByteArray("65536");
        QTest::newRow("oversized chunked body")
            << host + "/huge-chunked" << QByteArray("Status:too large") << QByteArray("65536");
    }
    void failsWithoutTakingItForAnAnswer()
    {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, reasonHas);
        QElapsedTimer clock;
        clock.start();
        const FetchResult result = FetchHTML(address.toStdString(), ShortLimits());
        // Well inside the servers' 20 s stalls: the limits ended the fetch, not the server.
        QVERIFY(clock.elapsed() < 10000);
        QVERIFY(result.Failed);
        QVERIFY(QByteArray::fromStdString(result.Text).startsWith("Status:"));
        if (!text.isEmpty())
            QCOMPARE(QByteArray::fromStdString(result.Text), text);
        QVERIFY2(QByteArray::fromStdString(result.Reason).contains(reasonHas), result.Reason.c_str());
    }

    void requestCarriesAgentAndNoCacheValidator()
    {
        const size_t before = web.Requests().size();
        QVERIFY(!FetchHTML(web.Host() + "/plain?pass=x", ShortLimits()).Failed);
        const auto seen = web.Requests();
        QCOMPARE(seen.size(), before + 1);
        const httplib::Headers& headers = seen.back().headers;
        const auto header = [&](const char* name) {
            const auto it = headers.find(name);
            return it == headers.end() ? std::string() : it->second;
        };
        QCOMPARE(header("User-Agent"), std::string("InetURL:/1.0"));
        QCOMPARE(header("Cache-Control"), std::string("no-cache"));
        QVERIFY(!headers.count("If-Modified-Since"));
        QVERIFY(!headers.count("If-None-Match"));
        QCOMPARE(seen.back().target, std::string("/plain?pass=x"));
    }
};

QTEST_APPLESS_MAIN(PageFetchTest)
#include "test_page_fetch.moc"
