// Reads arbitrary bytes as an XML property list; whatever reads must write
// back, in both notations, to something that reads as the same tree.
#include "foundation/plist/PlistValue.h"
#include "foundation/plist/PropertyList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void expectRoundTrip(
    const QVariant& value, QByteArray (*write)(const QVariant&), Result<QVariant> (*read)(const QByteArray&))
{
    const QByteArray written = write(value);
    const auto back = read(written);
    if (!back || !PlistValue::same(*back, value)) {
        std::fprintf(stderr, "round trip changed the value: %s\n%s\n", qPrintable(back.error()), written.constData());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto value = PropertyList::readXml(input);
    if (value) {
        expectRoundTrip(*value, PropertyList::writeXml, PropertyList::readXml);
        // Everything XML carries, the text notation carries too.
        expectRoundTrip(*value, PropertyList::writeText, PropertyList::readText);
    }
    return 0;
}
