// libFuzzer target for the values a settings hive holds: the input is a list of values of any
// type and bytes, stored where the persister looks for the login window's fields and for a
// component with a property of every kind (a string list's Count and items included); a window
// then loads its state from them and saves it back.
// Input records: section byte, name byte, type byte, length byte, data.
#include "FuzzSupport.h"
#include "StateTestForms.h"
#include "settings/RegistryHive.h"

#include <QDir>

#include <cstdlib>

namespace {

const QStringList kStoredLines = {
    "username.Text", "password.Text", "email.Text",  "gadget.Count",  "gadget.Small",  "gadget.Visible",
    "gadget.Letter", "gadget.Glyph",  "gadget.Shape", "gadget.Styles", "gadget.Ratio",  "gadget.Scale",
    "gadget.Caption", "gadget.Code",  "gadget.Anything", "gadget.Big", "gadget.Lines",  "gadget.Font",
    "gadget.Items[0].Caption"};

const QStringList kSections = {"vellomar\\TForm3", "vellomar\\TForm3.gadget.Lines"};

QStringList ValueNames()
{
    QStringList names = kStoredLines;
    names << "gadget.FontName" << "gadget.FontSize" << "Count" << "Item0" << "Item1" << "Item2";
    return names;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    UseDefaultFlags(argc, argv, {"-timeout=2", "-max_len=2048", "-rss_limit_mb=2048"});
    // A hive of its own, in memory-backed storage where there is some: every input rewrites it.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QByteArray folder = QFile::encodeName(base + QStringLiteral("/vellomar-fuzz-XXXXXX"));
    if (!mkdtemp(folder.data()))
        std::abort();
    qputenv("VELLOMAR_CONFIG_DIR", folder);
    StartOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList names = ValueNames();
    static const std::shared_ptr<RegistryHive> hive = RegistryHive::ForRoot(RegistryHiveRoot::CurrentUser);
    if (!hive)
        std::abort();
    hive->DeleteKeyTree(RegistryHive::kRootKey, QStringLiteral("vellomar"));
    FuzzInput input(data, size);
    while (!input.AtEnd()) {
        const QString& section = kSections[input.Byte() % kSections.size()];
        const QString& name = names[input.Byte() % names.size()];
        const quint32 type = quint32(input.Byte() % (REG_QWORD + 1));
        const QByteArray bytes = input.Take(std::size_t(input.Byte()));
        if (const auto key = hive->CreateKey(RegistryHive::kRootKey, section))
            hive->SetValue(*key, name, {type, bytes});
    }
    auto* form = new StateTestForm(kStoredLines);
    form->close();
    form->Destroy();
    return 0;
}
