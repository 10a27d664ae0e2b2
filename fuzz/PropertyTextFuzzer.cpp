// libFuzzer target for the persister's text forms: the input is read back into a property of
// every kind the persister knows, written out again and read once more. Apart from floats
// (kept to their type's significant digits), a text read and written must read back to itself,
// or every save and load would change what was stored.
#include "FuzzSupport.h"
#include "StateTestForms.h"
#include "settings/PropertyList.h"
#include "settings/PropertyText.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    UseDefaultFlags(argc, argv, {"-timeout=2", "-max_len=4096", "-rss_limit_mb=2048"});
    StartOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TGadget gadget(nullptr);
    static const TPropertyList properties(&gadget);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const TPropertyEntry& entry : properties.Entries()) {
        DecodeProperty(entry, text);
        const QString written = EncodeProperty(entry);
        DecodeProperty(entry, written);
        const QString again = EncodeProperty(entry);
        if (entry.kind != PropertyKind::Float && again != written) {
            std::fprintf(stderr, "%s: \"%s\" read back as \"%s\"\n", qPrintable(entry.name), qPrintable(written),
                         qPrintable(again));
            std::abort();
        }
    }
    return 0;
}
