// Reads arbitrary bytes as each reply the sync engine takes from
// SemestraConnect. Whatever is accepted must hold what the engine relies on:
// an identifier is short and plain, a stored size is not negative, and a
// body the engine takes for a record is a whole XML document.
#include "connect/SyncReplies.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

bool isPlain(const QString& id)
{
    for (const QChar c : id) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-' && c != u'_')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto year = SyncReplies::loggedInYear(input))
        check(*year >= -1 && input.trimmed().startsWith("loggedin:"), "a year from a reply that is not loggedin:");
    if (const auto id = SyncReplies::recordId(input))
        check(!id->isEmpty() && id->size() <= 64 && isPlain(*id), "an identifier that is not plain");
    if (const auto id = SyncReplies::idFromLocation(input))
        check(!id->isEmpty() && isPlain(*id), "a year identifier that is not plain");
    const bool isRecord = SyncReplies::isRecordXml(input);
    if (const auto stored = SyncReplies::storedFileSize(input)) {
        check(*stored >= 0, "a negative stored size");
        check(isRecord, "a stored size from a body that is not a record");
    }
    return 0;
}
