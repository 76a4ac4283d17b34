// Reads arbitrary bytes as RTF, writes the document back and reads that again,
// and renders the HTML fragment: none of it may crash, hang or leak, and the
// writer's output must read back to the same text.
#include "foundation/richtext/HtmlFragmentWriter.h"
#include "foundation/richtext/RichText.h"
#include "foundation/richtext/RtfReader.h"
#include "foundation/richtext/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // QTextDocument needs a GUI application for its fonts; no display is needed.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray rtf(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto document = RtfReader::read(rtf);
    const QByteArray written = RtfWriter::write(*document);
    const auto reread = RtfReader::read(written);
    if (RichText::plainText(*reread) != RichText::plainText(*document))
        std::abort();
    HtmlFragmentWriter::write(*document);
    return 0;
}
