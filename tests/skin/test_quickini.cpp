#include "TestSupport.h"
#include "skin/QuickIni.h"

class QuickIniTest : public QObject {
    Q_OBJECT

private slots:
    void readString_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString def = QStringLiteral("<default>");
        QTest::addRow("trimmed-key-and-value") << QByteArray("[S]\r\n   Key  =  some value \t\r\n") << "S" << "Key" << "some value";
        QTest::addRow("indented-comment-ignored") << QByteArray("[S]\n   ; Key=commented\nKey=real\n") << "S" << "Key" << "real";
        QTest::addRow("capital-header-found") << QByteArray("[COLOURS]\nMenu=1 2 3\n") << "Colours" << "Menu" << "1 2 3";
        QTest::addRow("key-case-ignored") << QByteArray("[S]\nmenubar=x\n") << "S" << "MenuBar" << "x";
        QTest::addRow("first-header-wins") << QByteArray("[S]\nA=first\n[S]\nA=second\n") << "S" << "A" << "first";
        QTest::addRow("key-only-in-second-duplicate") << QByteArray("[S]\nA=1\n[S]\nB=2\n") << "S" << "B" << def;
        QTest::addRow("first-key-decides") << QByteArray("[S]\nA=one\nA=two\n") << "S" << "A" << "one";
        QTest::addRow("empty-value-gives-default") << QByteArray("[S]\nTrans=\nTrans=1\n") << "S" << "Trans" << def;
        QTest::addRow("key-stops-at-next-section") << QByteArray("[S]\n[T]\nA=t\n") << "S" << "A" << def;
        QTest::addRow("key-before-any-section") << QByteArray("A=1\n[S]\n") << "S" << "A" << def;
        QTest::addRow("header-with-inner-space") << QByteArray("[ S]\nA=1\n") << "S" << "A" << def;
        QTest::addRow("header-with-inner-space-by-full-name") << QByteArray("[ S]\nA=1\n") << " S" << "A" << "1";
        QTest::addRow("line-without-equals-never-matches") << QByteArray("[S]\nA\nA=2\n") << "S" << "A" << "2";
        QTest::addRow("value-keeps-later-equals") << QByteArray("[S]\nA= b=c \n") << "S" << "A" << "b=c";
        QTest::addRow("lone-cr-lines") << QByteArray("[S]\rA=1\rB=2\r") << "S" << "B" << "2";
        QTest::addRow("nul-ends-a-line") << QByteArray("[S]\0A=1\0B=2", 11) << "S" << "B" << "2";
        QTest::addRow("missing-section") << QByteArray("[S]\nA=1\n") << "T" << "A" << def;
    }
    void readString()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TQuickIni ini;
        ini.LoadFromStream(text);
        QCOMPARE(ini.ReadString(section, key, QStringLiteral("<default>")), expected);
    }

    void readInteger_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");
        QTest::addRow("decimal") << "42" << 42;
        QTest::addRow("negative") << "-7" << -7;
        QTest::addRow("plus-sign") << "+7" << 7;
        QTest::addRow("hex-0x") << "0x1F" << 31;
        QTest::addRow("hex-0X") << "0X1f" << 31;
        QTest::addRow("hex-dollar") << "$1F" << 31;
        QTest::addRow("hex-all-bits") << "$FFFFFFFF" << -1;
        QTest::addRow("letters") << "abc" << -99;
        QTest::addRow("bare-0x") << "0x" << -99;
        QTest::addRow("bare-dollar") << "$" << -99;
        QTest::addRow("too-many-hex-digits") << "$123456789" << -99;
        QTest::addRow("decimal-overflow") << "99999999999" << -99;
        QTest::addRow("trailing-text") << "12px" << -99;
        QTest::addRow("empty") << "" << -99;
    }
    void readInteger()
    {
        QFETCH(QString, value);
        QFETCH(int, expected);
        TQuickIni ini;
        ini.LoadFromStream("[S]\nV=" + value.toLatin1() + "\n");
        QCOMPARE(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("V"), -99), expected);
    }

    void sectionsInFileOrder()
    {
        TQuickIni ini;
        ini.LoadFromStream("; head\n[Personality]\nA=1\n[ Button0 ]\n[Colours]\n[Personality]\nnot [a] header\n");
        QCOMPARE(ini.ReadSections(),
                 (QStringList{"Personality", "Button0", "Colours", "Personality"}));
    }

    void colourTriple_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("expected");
        const uint def = 0x80000005;
        QTest::addRow("empty-gives-default") << "" << def;
        QTest::addRow("spaces") << "10 20 30" << uint(RGB(10, 20, 30));
        QTest::addRow("commas") << "10,20,30" << uint(RGB(10, 20, 30));
        QTest::addRow("semicolons-trailing") << "10;20;30;" << uint(RGB(10, 20, 30));
        QTest::addRow("four-255s-white") << "255 255 255 255" << uint(RGB(255, 255, 255));
        QTest::addRow("two-numbers") << "12 34" << uint(RGB(12, 0, 0));
        QTest::addRow("two-numbers-closed") << "12 34;" << uint(RGB(12, 34, 0));
        QTest::addRow("low-8-bits") << "256 257 300" << uint(RGB(0, 1, 44));
        // 2^64 + 5: the run is longer than any integer type, its low 8 bits are 5.
        QTest::addRow("huge-run") << "18446744073709551621 0 0" << uint(RGB(5, 0, 0));
        QTest::addRow("no-digits") << "red" << uint(RGB(0, 0, 0));
        QTest::addRow("padded") << "  1 2 3  " << uint(RGB(1, 2, 3));
    }
    void colourTriple()
    {
        QFETCH(QString, text);
        QFETCH(uint, expected);
        QCOMPARE(uint(ParseColourTriple(text, 0x80000005)), expected);
    }
};

VELLOMAR_TEST_MAIN(QuickIniTest)
#include "test_quickini.moc"
