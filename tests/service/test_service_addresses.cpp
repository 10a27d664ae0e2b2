#include "service/ServiceAddresses.h"
#include "service/UrlEncoding.h"

#include <QTest>

namespace {

std::string Bytes(const QByteArray& b)
{
    return std::string(b.constData(), std::size_t(b.size()));
}

} // namespace

class ServiceAddressesTest : public QObject {
    Q_OBJECT

private slots:
    void encodesParameters_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("space stays raw") << QByteArray("john doe") << QByteArray("john doe");
        QTest::newRow("plus and ampersand") << QByteArray("a+b&c") << QByteArray("a%2Bb%26c");
        QTest::newRow("percent") << QByteArray("50%") << QByteArray("50%25");
        QTest::newRow("pass-through marks") << QByteArray("x_y-z.1") << QByteArray("x_y-z.1");
        QTest::newRow("all letters and digits")
            << QByteArray("ABCXYZabcxyz0123456789") << QByteArray("ABCXYZabcxyz0123456789");
        QTest::newRow("reserved marks") << QByteArray("=?/@~") << QByteArray("%3D%3F%2F%40%7E");
        QTest::newRow("e-mail") << QByteArray("ann@vellomar.test") << QByteArray("ann%40vellomar.test");
        QTest::newRow("ANSI byte, no UTF-8") << QByteArray("caf\xE9") << QByteArray("caf%E9");
        QTest::newRow("upper-case hex") << QByteArray("\xAB") << QByteArray("%AB");
        QTest::newRow("zero byte") << QByteArray("a\0b", 3) << QByteArray("a%00b");
        QTest::newRow("control bytes") << QByteArray("\t\r\n") << QByteArray("%09%0D%0A");
        QTest::newRow("neighbours of the ranges")
            << QByteArray("/:@[`{\x7F") << QByteArray("%2F%3A%40%5B%60%7B%7F");
    }
    void encodesParameters()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(EncodeURLParam(Bytes(value))), expected);
    }

    // Every byte either passes unchanged or grows to exactly "%XX" of its own value.
    void everyByteRoundTrips()
    {
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, char(b));
            const std::string out = EncodeURLParam(one);
            if (out.size() == 1) {
                QCOMPARE(out, one);
                QVERIFY(std::isalnum(b) || b == ' ' || b == '-' || b == '.' || b == '_');
            } else {
                QCOMPARE(out.size(), std::size_t(3));
                QCOMPARE(out[0], '%');
                QCOMPARE(std::stoi(out.substr(1), nullptr, 16), b);
                QCOMPARE(QByteArray::fromStdString(out), QByteArray::fromStdString(out).toUpper());
            }
        }
        const std::string allEncoded(40, '&');
        QCOMPARE(EncodeURLParam(allEncoded).size(), 3 * allEncoded.size());
    }

    void buildsAddresses_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("expected");
        const std::string h = "http://chat.example";
        QTest::newRow("login check")
            << QByteArray::fromStdString(ServiceAddress::LoginCheck(h, "jo hn", "a+b@x.y", "50%"))
            << QByteArray("http://chat.example/enterw.php?username=jo hn&email=a%2Bb%40x.y&pass=50%25");
        QTest::newRow("chat page")
            << QByteArray::fromStdString(ServiceAddress::ChatPage(h, "webmaster", "e@x", "p&q"))
            << QByteArray("http://chat.example/JAVASCRIPTWEXE.php?username=webmaster&email=e%40x&pass=p%26q");
        QTest::newRow("empty values")
            << QByteArray::fromStdString(ServiceAddress::ChatPage(h, "", "", ""))
            << QByteArray("http://chat.example/JAVASCRIPTWEXE.php?username=&email=&pass=");
        QTest::newRow("forgotten password")
            << QByteArray::fromStdString(ServiceAddress::ForgottenPassword(h))
            << QByteArray("http://chat.example/forgotton.php");
        QTest::newRow("new account")
            << QByteArray::fromStdString(ServiceAddress::NewAccount(h)) << QByteArray("http://chat.example/signin.php");
        QTest::newRow("script creator")
            << QByteArray::fromStdString(ServiceAddress::ScriptCreator(h, "e@x", "caf\xE9"))
            << QByteArray("http://chat.example/insertscript.php?email=e%40x&pass=caf%E9");
        QTest::newRow("room query")
            << QByteArray::fromStdString(ServiceAddress::RoomQuery(h, "a b@c"))
            << QByteArray("http://chat.example/createscript.php?email=a b%40c");
        QTest::newRow("room script, room unencoded")
            << QByteArray::fromStdString(ServiceAddress::RoomScript(h, "my room&x=1"))
            << QByteArray("http://chat.example/JAVASCRIPT.php?room=my room&x=1");
    }
    void buildsAddresses()
    {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, expected);
        QCOMPARE(address, expected);
    }

    void trimsAnswers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("only blanks") << QByteArray(" \r\n\t\0 ", 6) << QByteArray();
        QTest::newRow("spaces around") << QByteArray(" r42 ") << QByteArray("r42");
        QTest::newRow("control bytes and zero")
            << QByteArray("\0\x01\x1F OK\r\n\0", 9) << QByteArray("OK");
        QTest::newRow("inside stays") << QByteArray("\ta \0 b\n", 7) << QByteArray("a \0 b", 5);
        QTest::newRow("0x21 and high bytes stay") << QByteArray("!\xA0x\xFF") << QByteArray("!\xA0x\xFF");
    }
    void trimsAnswers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(TrimAnswer(Bytes(answer))), expected);
    }

    void judgesLoginAnswers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("rejects");
        QTest::newRow("NO") << QByteArray("NO") << true;
        QTest::newRow("NOT FOUND") << QByteArray("NOT FOUND") << true;
        QTest::newRow("inside a word") << QByteArray("UNKNOWN") << true;
        QTest::newRow("lower case") << QByteArray("no") << false;
        QTest::newRow("mixed case") << QByteArray("No") << false;
        QTest::newRow("OK") << QByteArray("OK") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("N and O apart") << QByteArray("N O") << false;
    }
    void judgesLoginAnswers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, rejects);
        QCOMPARE(RejectsLogin(Bytes(answer)), rejects);
    }
};

QTEST_APPLESS_MAIN(ServiceAddressesTest)
#include "test_service_addresses.moc"
