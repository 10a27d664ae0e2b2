#include "TestSupport.h"
#include "skin/Lzhuf.h"
#include "skinpack/SkinPackageWriter.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

QByteArray RandomBytes(qsizetype size, quint32 seed, int alphabet)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(alphabet));
    return bytes;
}

// Text-like data with long repeats, runs and far references, as skin containers have.
QByteArray StructuredBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes;
    while (bytes.size() < size) {
        switch (random.bounded(4)) {
        case 0: bytes.append(int(random.bounded(200)), char(random.bounded(256))); break;
        case 1: bytes.append("[Personality]\r\nTopFrame=2\r\n"); break;
        case 2:
            if (bytes.size() > 10) {
                const qsizetype from = random.bounded(int(bytes.size()));
                bytes.append(bytes.mid(from, random.bounded(300)));
            }
            break;
        default: bytes.append(char(random.bounded(256)));
        }
    }
    bytes.truncate(size);
    return bytes;
}

// CRC-16 of the archive format (polynomial 0xA001, reflected, starting at 0).
quint16 Crc16(const QByteArray& data)
{
    quint16 crc = 0;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

// A one-member archive of level 0 with method "-lh1-".
QByteArray Lh1Archive(const QByteArray& original, const QByteArray& packed)
{
    const QByteArray name("data.bin");
    QByteArray h;
    h.append("-lh1-");
    const auto u32 = [&h](quint32 v) { char b[4]; qToLittleEndian(v, b); h.append(b, 4); };
    u32(quint32(packed.size()));
    u32(quint32(original.size()));
    u32(0x5A210000); // DOS time stamp
    h.append(char(0x20));
    h.append(char(0));
    h.append(char(name.size()));
    h.append(name);
    char crc[2];
    qToLittleEndian(Crc16(original), crc);
    h.append(crc, 2);
    quint8 sum = 0;
    for (const char c : h)
        sum = quint8(sum + quint8(c));
    QByteArray archive;
    archive.append(char(h.size()));
    archive.append(char(sum));
    archive += h + packed;
    archive.append('\0');
    return archive;
}

} // namespace

class LzhufTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("data");
        for (const qsizetype size : {1, 2, 3, 59, 60, 61, 4095, 4096, 4097, 70000}) {
            QTest::addRow("random-%lld", qlonglong(size)) << RandomBytes(size, quint32(size), 256);
            QTest::addRow("four-letters-%lld", qlonglong(size)) << RandomBytes(size, quint32(size) + 7, 4);
            QTest::addRow("structured-%lld", qlonglong(size)) << StructuredBytes(size, quint32(size) + 11);
        }
        QTest::addRow("one-byte-run") << QByteArray(300000, 'x');
        QTest::addRow("spaces") << QByteArray(5000, ' ');
        // Long enough for the adaptive tree to be rebuilt several times.
        QTest::addRow("structured-large") << StructuredBytes(600000, 5);
    }
    void roundTrip()
    {
        QFETCH(QByteArray, data);
        const QByteArray packed = LzhufEncode(data);
        QCOMPARE(TLZH::Decode(packed, data.size()), data);
    }

    // Streams worked out by hand from the initial tree, in which leaf s sits at node s and
    // node n has the children 2n - 628 and 2n - 627.
    void handCheckedStreams_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("expected");
        // 'A' (leaf 65) is reached by the bits 111001101.
        QTest::addRow("literal") << QByteArray("\xE6\x80", 2) << QByteArray("A");
        // Symbol 256 (a 3-byte match) is 10001100; its distance 0 comes from the zero bits past
        // the end and copies three of the ring's initial spaces.
        QTest::addRow("match-into-initial-spaces") << QByteArray("\x8C", 1) << QByteArray("   ");
        // Symbol 313 (a 60-byte match) is 11000101, and 11111111 the top six bits 63 of its
        // distance. Copying starts at 4036 - distance - 1: a distance over 4035 reaches the ring's
        // last 60 bytes, where nothing was written yet, so they read as zeros, not spaces.
        QTest::addRow("match-from-the-unwritten-tail") << QByteArray("\xC5\xFF\xFC", 3) << QByteArray(60, '\0');
        QTest::addRow("match-across-the-ring-end")
            << QByteArray("\xC5\xFF\x70", 3) << QByteArray(25, '\0') + QByteArray(35, ' ');
        QTest::addRow("match-from-the-ring-start") << QByteArray("\xC5\xFF\x0C", 3) << QByteArray(60, ' ');
    }
    void handCheckedStreams()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, expected);
        QCOMPARE(TLZH::Decode(stream, expected.size()), expected);
    }

    void decodesExactlyTheStatedLength_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("length");
        QTest::addRow("empty-input") << QByteArray() << 1000;
        QTest::addRow("garbage") << RandomBytes(64, 3, 256) << 50000;
        QTest::addRow("all-ones") << QByteArray(100, '\xFF') << 20000;
        QTest::addRow("nothing-asked") << RandomBytes(64, 4, 256) << 0;
    }
    void decodesExactlyTheStatedLength()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, length);
        QCOMPARE(TLZH::Decode(stream, length).size(), qsizetype(length));
    }

    // A stream cut short decodes its intact part unchanged.
    void truncatedStreamKeepsItsPrefix()
    {
        const QByteArray data = StructuredBytes(20000, 9);
        const QByteArray packed = LzhufEncode(data);
        const QByteArray decoded = TLZH::Decode(packed.left(packed.size() / 2), data.size());
        QCOMPARE(decoded.size(), data.size());
        const qsizetype same = std::mismatch(data.begin(), data.end(), decoded.begin()).first - data.begin();
        QVERIFY2(same > data.size() / 4, qPrintable(QString::number(same)));
        QVERIFY(same < data.size());
    }

    // An independent decoder of the same bit stream reads our encoder's output.
    void independentDecoderReadsOurStreams_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addRow("structured") << StructuredBytes(120000, 21);
        QTest::addRow("random") << RandomBytes(30000, 22, 256);
        QTest::addRow("run") << QByteArray(100000, 'q');
    }
    void independentDecoderReadsOurStreams()
    {
        const QString lha = QStandardPaths::findExecutable(QStringLiteral("lha"));
        if (lha.isEmpty())
            QSKIP("lha (Debian package lhasa) is not installed");
        QFETCH(QByteArray, data);
        QCOMPARE(LhaDecodes(lha, Lh1Archive(data, LzhufEncode(data))), data);
    }

    // Any bit stream, not only our encoder's, decodes as the independent decoder has it: matches
    // reach back into the ring's first spaces and the zeros before them.
    void decodesAnyStreamAsTheIndependentDecoder_data()
    {
        QTest::addColumn<QByteArray>("stream");
        for (quint32 seed : {31u, 32u, 33u})
            QTest::addRow("random-bits-%u", seed) << RandomBytes(30000, seed, 256);
    }
    void decodesAnyStreamAsTheIndependentDecoder()
    {
        const QString lha = QStandardPaths::findExecutable(QStringLiteral("lha"));
        if (lha.isEmpty())
            QSKIP("lha (Debian package lhasa) is not installed");
        QFETCH(QByteArray, stream);
        // Short of what the stream holds, so neither decoder runs out of bits.
        const QByteArray ours = TLZH::Decode(stream, 20000);
        QCOMPARE(LhaDecodes(lha, Lh1Archive(ours, stream)), ours);
    }

private:
    // What lha makes of the archive.
    static QByteArray LhaDecodes(const QString& lha, const QByteArray& archiveData)
    {
        QTemporaryDir dir;
        QFile archive(dir.filePath(QStringLiteral("data.lzh")));
        if (!dir.isValid() || !archive.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(archive.fileName()));
        archive.write(archiveData);
        archive.close();
        QProcess process;
        process.start(lha, {QStringLiteral("-pq"), archive.fileName()});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return "lha failed: " + process.readAllStandardError();
        return process.readAllStandardOutput();
    }
};

VELLOMAR_TEST_MAIN(LzhufTest)
#include "test_lzhuf.moc"
