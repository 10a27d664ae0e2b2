// Times what the login window costs the settings: opening the hive, the restore of its three
// fields and their save, on a hive file in a temporary folder. Prints the median of each.
#include "settings/RegistryHive.h"
#include "settings/RegistryStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QStringList kFields = {QStringLiteral("username.Text"), QStringLiteral("password.Text"),
                             QStringLiteral("email.Text")};

void Report(const char* name, int runs, const std::function<void()>& body)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        body();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s median %8.3f ms  (%d runs)\n", name, ms[ms.size() / 2], runs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/bench-settings-XXXXXX"));
    qputenv("VELLOMAR_CONFIG_DIR", QFile::encodeName(dir.path()));
    const QString file = RegistryHive::FilePath(RegistryHiveRoot::CurrentUser);

    TRegistryStore store;
    store.SetKeyName(QStringLiteral("vellomar"));

    Report("open the hive", 50, [&] { RegistryHive::Open(file); });
    Report("save the login fields (3 values)", 50, [&] {
        store.Open();
        for (const QString& field : kFields)
            store.WriteText(QStringLiteral("TForm3"), field, QStringLiteral("some typed text"));
        store.Close();
    });
    Report("restore the login fields (3 values)", 200, [&] {
        store.Open();
        for (const QString& field : kFields)
            store.ReadText(QStringLiteral("TForm3"), field, QString());
        store.Close();
    });
    store.Open();
    Report("read one value on an open store", 2000,
           [&] { store.ReadText(QStringLiteral("TForm3"), kFields.first(), QString()); });
    store.Close();
    return 0;
}
