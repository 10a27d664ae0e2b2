// Writes to a hive without end, for a test that kills it at random moments: each round rewrites
// a large value and replaces a deep key chain, every change in its own transaction, and prints
// the number of each round it has finished.
#include "settings/RegistryHive.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hive_crash_writer HIVE-FILE\n");
        return 2;
    }
    auto hive = RegistryHive::Open(QString::fromLocal8Bit(argv[1]));
    if (!hive)
        return 1;
    QStringList chain;
    for (int depth = 0; depth < 40; ++depth)
        chain.append(QStringLiteral("level%1").arg(depth));
    for (qint64 round = 1;; ++round) {
        const auto section = hive->CreateKey(RegistryHive::kRootKey, QStringLiteral("vellomar\\TForm3"));
        if (!section)
            return 1;
        // "<round>:" then round-dependent filler, so a torn value cannot pass for a whole one.
        QByteArray data = QByteArray::number(round) + ':';
        data.append(QByteArray(20000 + int(round % 5000), char('a' + round % 26)));
        data.append('\0');
        if (!hive->SetValue(*section, QStringLiteral("username.Text"), {REG_SZ, data}))
            return 1;
        hive->DeleteKeyTree(*section, QStringLiteral("level0"));
        if (!hive->CreateKey(*section, chain.join(QLatin1Char('\\'))))
            return 1;
        std::printf("%lld\n", static_cast<long long>(round));
        std::fflush(stdout);
    }
}
