// Reads arbitrary bytes as an old-style text property list; whatever reads
// must write back to text that reads as the same tree.
#include "foundation/plist/PlistValue.h"
#include "foundation/plist/PropertyList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto value = PropertyList::readText(input);
    if (!value)
        return 0;
    const QByteArray written = PropertyList::writeText(*value);
    const auto back = PropertyList::readText(written);
    if (!back || !PlistValue::same(*back, *value)) {
        std::fprintf(stderr, "round trip changed the value: %s\n%s\n", qPrintable(back.error()), written.constData());
        std::abort();
    }
    return 0;
}
