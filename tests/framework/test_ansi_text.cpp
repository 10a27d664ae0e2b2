#include "framework/AnsiText.h"

#include <QTest>

class AnsiTextTest : public QObject {
    Q_OBJECT

private slots:
    void convertsToAnsi_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << QStringLiteral("webmaster 42") << QByteArray("webmaster 42");
        QTest::newRow("Latin-1 letters") << QStringLiteral("caf\u00E9 \u00FF") << QByteArray("caf\xE9 \xFF");
        QTest::newRow("euro and quotes") << QStringLiteral("\u20AC\u201C\u201D") << QByteArray("\x80\x93\x94");
        QTest::newRow("outside the code page") << QStringLiteral("a\u0416b") << QByteArray("a?b");
        QTest::newRow("outside the basic plane is one ?")
            << QString::fromUtf8("x\xF0\x9F\x98\x80y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
        QTest::newRow("zero character") << QString(QChar(0)) << QByteArray("\0", 1);
    }
    void convertsToAnsi()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray::fromStdString(ToAnsi(text)), bytes);
    }

    // Every byte reads as one character and writes back as the same byte.
    void everyByteRoundTrips()
    {
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, char(b));
            const QString text = FromAnsi(one);
            QCOMPARE(text.size(), 1);
            QCOMPARE(ToAnsi(text), one);
        }
        QCOMPARE(FromAnsi("\x80\x9F\xE9"), QStringLiteral("\u20AC\u0178\u00E9"));
    }
};

QTEST_APPLESS_MAIN(AnsiTextTest)
#include "test_ansi_text.moc"
