// libFuzzer target for the skin description reader: sections, keys and values as the skin
// loader asks for them, and every value read as a colour triple and as an integer.
#include "FuzzSupport.h"
#include "skin/QuickIni.h"

#include <QSet>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    UseDefaultFlags(argc, argv, {"-timeout=2", "-max_len=4096", "-rss_limit_mb=2048"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    TQuickIni ini;
    ini.LoadFromStream(text);

    // The keys the description names, as the loader would ask for them; bounded so one input
    // stays quick however many lines it has.
    QSet<QString> keys;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && keys.size() < 16)
            keys.insert(QString::fromLatin1(line.left(equals)).trimmed());
    }
    keys.insert(QStringLiteral("color"));
    int asked = 0;
    for (const QString& section : ini.ReadSections()) {
        for (const QString& key : keys) {
            if (++asked > 256)
                return 0;
            const QString value = ini.ReadString(section, key, QString());
            ParseColourTriple(value, clNone);
            bool ok = false;
            ParseSkinInteger(value, &ok);
            ini.ReadInteger(section, key, -1);
        }
    }
    return 0;
}
