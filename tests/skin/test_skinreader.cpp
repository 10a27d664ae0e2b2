#include "SkinTestPackages.h"
#include "TestSupport.h"
#include "skin/Lzhuf.h"
#include "skin/SkinReader.h"
#include "skin/StoredSkin.h"

#include <QtEndian>

namespace {

QByteArray Container(const QByteArray& names, const QList<QByteArray>& data)
{
    QByteArray c(16, '\0');
    PutU32(c, 0, TSkinReader::kVersion);
    PutU32(c, 4, quint32(names.size()));
    c += names;
    for (const QByteArray& d : data) {
        QByteArray size(4, '\0');
        PutU32(size, 0, quint32(d.size()));
        c += size;
    }
    for (const QByteArray& d : data)
        c += d;
    return c;
}

} // namespace

class SkinReaderTest : public QObject {
    Q_OBJECT

private slots:
    // Our built package: a version-20000 container whose sizes account for all its data.
    void storedPackageIsWellFormed()
    {
        const QByteArray package = StoredSkinPackage();
        QVERIFY(package.size() > 4);
        const quint32 length = qFromLittleEndian<quint32>(package.constData());
        const QByteArray container = TLZH::Decode(package.mid(4), length);
        QCOMPARE(qFromLittleEndian<quint32>(container.constData()), TSkinReader::kVersion);

        RecordingDialogs dialogs;
        TSkinReader reader;
        QVERIFY(reader.ReadPackage(package));
        QVERIFY(dialogs.boxes.isEmpty());
        const quint32 listSize = qFromLittleEndian<quint32>(container.constData() + 4);
        const qsizetype dataAt = 16 + listSize + 4 * reader.Names().size();
        qsizetype sum = 0;
        for (const QString& name : reader.Names())
            sum += reader.ExtractByName(name).size();
        QCOMPARE(sum, container.size() - dataAt);
        QCOMPARE(reader.Names().size(), 28); // every file of resources/skin
        QString found;
        QVERIFY(reader.ExtractByPart(QStringLiteral(".ini"), &found).startsWith("[TitlebarSkin]"));
        QCOMPARE(found, QStringLiteral("vellomar.ini"));
    }

    void namesAndLookUps_data()
    {
        QTest::addColumn<QByteArray>("names");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("crlf") << QByteArray("a.bmp\r\nb.bmp\r\nc.ini\r\n") << QStringList{"a.bmp", "b.bmp", "c.ini"};
        QTest::addRow("lone-cr") << QByteArray("a.bmp\rb.bmp\rc.ini") << QStringList{"a.bmp", "b.bmp", "c.ini"};
        QTest::addRow("lone-lf") << QByteArray("a.bmp\nb.bmp\nc.ini\n") << QStringList{"a.bmp", "b.bmp", "c.ini"};
        QTest::addRow("mixed-case") << QByteArray("A.BMP\r\nTop.Bmp\nSkin.INI") << QStringList{"a.bmp", "top.bmp", "skin.ini"};
    }
    void namesAndLookUps()
    {
        QFETCH(QByteArray, names);
        QFETCH(QStringList, expected);
        const QList<QByteArray> data = {"first", "second", "third"};
        TSkinReader reader;
        QVERIFY(reader.ReadPackage(PackageOf(Container(names, data))));
        QCOMPARE(QStringList(reader.Names()), expected);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(reader.ExtractByName(expected[i].toUpper()), data[i]);
        QCOMPARE(reader.ExtractByName(QStringLiteral("missing.bmp")), QByteArray());
    }

    void duplicateNamesGiveTheFirst()
    {
        TSkinReader reader;
        QVERIFY(reader.ReadPackage(PackageOf(Container("x.bmp\r\nskin.ini\r\nX.bmp\r\n", {"one", "ini", "two"}))));
        QCOMPARE(reader.ExtractByName(QStringLiteral("x.bmp")), QByteArray("one"));
        QString name;
        QCOMPARE(reader.ExtractByPart(QStringLiteral(".ini"), &name), QByteArray("ini"));
        QCOMPARE(name, QStringLiteral("skin.ini"));
        // The part search is case-sensitive against the lower-cased names.
        QCOMPARE(reader.ExtractByPart(QStringLiteral(".INI")), QByteArray());
    }

    void olderVersionIsRefusedWithTheMessage()
    {
        QByteArray container = Container("a.ini\r\n", {"x"});
        PutU32(container, 0, 19999);
        RecordingDialogs dialogs;
        TSkinReader reader;
        QVERIFY(!reader.ReadPackage(PackageOf(container)));
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes[0].text, QStringLiteral("This is Older Skin File\rPlease update to new version !"));
        QVERIFY(reader.Names().isEmpty());

        // Without boxes, only Error() says it.
        TSkinReader quiet(TSkinReader::ErrorOnly());
        QVERIFY(!quiet.ReadPackage(PackageOf(container)));
        QCOMPARE(quiet.Error(), dialogs.boxes[0].text);
        QCOMPARE(dialogs.boxes.size(), 1);
    }

    void damagedPackagesFailCleanly_data()
    {
        QTest::addColumn<QByteArray>("package");
        const QByteArray good = PackageOf(Container("a.bmp\r\nb.ini\r\n", {QByteArray(500, 'a'), "[x]"}));
        QTest::addRow("empty") << QByteArray();
        QTest::addRow("length-only") << good.left(4);
        QTest::addRow("truncated") << good.left(good.size() / 3);
        QByteArray huge = good;
        PutU32(huge, 0, 0xFFFFFFF0u);
        QTest::addRow("huge-declared-length") << huge;
        QByteArray overlong = good;
        PutU32(overlong, 0, quint32(60 * good.size()));
        QTest::addRow("length-beyond-what-the-stream-can-hold") << overlong;
        QByteArray garbage(3000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919) >> 3);
        PutU32(garbage, 0, 20000);
        QTest::addRow("garbage") << garbage;
        QTest::addRow("entry-larger-than-data") << PackageOf(Container("a.bmp\r\n", {"abc"}).chopped(1));
        QByteArray longList = Container("a.bmp\r\n", {"abc"});
        PutU32(longList, 4, 5000);
        QTest::addRow("name-list-past-the-end") << PackageOf(longList);
        QByteArray wrapping = Container("a.bmp\r\nb.bmp\r\n", {"abc", "def"});
        PutU32(wrapping, 16 + 14, 0xFFFFFFFFu);
        QTest::addRow("size-that-wraps") << PackageOf(wrapping);
        QByteArray manyNames;
        for (int i = 0; i < 1002; ++i)
            manyNames += "n" + QByteArray::number(i) + "\r\n";
        QTest::addRow("more-than-1001-entries") << PackageOf(Container(manyNames, QList<QByteArray>(1002)));
    }
    void damagedPackagesFailCleanly()
    {
        QFETCH(QByteArray, package);
        RecordingDialogs dialogs;
        TSkinReader reader;
        QVERIFY(!reader.ReadPackage(package));
        QVERIFY(reader.Names().isEmpty());
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes[0].text, reader.Error());
        QCOMPARE(reader.ExtractByName(QStringLiteral("a.bmp")), QByteArray());

        // Without boxes, only Error() says it.
        TSkinReader quiet(TSkinReader::ErrorOnly());
        QVERIFY(!quiet.ReadPackage(package));
        QCOMPARE(quiet.Error(), reader.Error());
        QCOMPARE(dialogs.boxes.size(), 1);
    }

    void exactly1001EntriesAreAccepted()
    {
        QByteArray names;
        for (int i = 0; i < TSkinReader::kMaxEntries; ++i)
            names += "n" + QByteArray::number(i) + "\n";
        TSkinReader reader;
        QVERIFY(reader.ReadPackage(PackageOf(Container(names, QList<QByteArray>(TSkinReader::kMaxEntries, "z")))));
        QCOMPARE(reader.Names().size(), TSkinReader::kMaxEntries);
        QCOMPARE(reader.ExtractByName(QStringLiteral("n1000")), QByteArray("z"));
    }
};

VELLOMAR_TEST_MAIN(SkinReaderTest)
#include "test_skinreader.moc"
