#include "foundation/richtext/RtfReader.h"

#include <QRegularExpression>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

using Kind = RtfKeyword::Kind;

// Word processors nest a few dozen groups at most; anything deeper is read with
// the state of the deepest tracked group.
constexpr std::size_t maximumDepth = 256;
constexpr qsizetype maximumWordLength = 32;
constexpr qsizetype maximumInstructionLength = 2048;
constexpr int maximumHalfPoints = 3276;

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The target of a field instruction such as
// HYPERLINK "https://example.org" \o "tip"   or   HYPERLINK \l "bookmark"
QString hyperlinkTarget(const QString& instruction)
{
    static const QRegularExpression pattern(QStringLiteral(R"re(^\s*HYPERLINK\s+(\\l\s+)?(?:"([^"]*)"|(\S+)))re"));
    const QRegularExpressionMatch match = pattern.match(instruction);
    if (!match.hasMatch())
        return {};
    const QString target = match.hasCaptured(2) ? match.captured(2) : match.captured(3);
    return match.hasCaptured(1) ? QLatin1Char('#') + target : target;
}

// Characters that would change the document's structure rather than add text:
// frame markers, object placeholders and control codes.
void removeStructuralCharacters(QString& text)
{
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t') || u == 0xfdd0 || u == 0xfdd1 || u == QChar::ObjectReplacementCharacter;
    });
}

} // namespace

bool RtfReader::isRtf(const QByteArray& data)
{
    return data.startsWith("{\\rtf");
}

std::unique_ptr<QTextDocument> RtfReader::read(const QByteArray& rtf)
{
    auto document = std::make_unique<QTextDocument>();
    read(rtf, document.get());
    return document;
}

void RtfReader::read(const QByteArray& rtf, QTextDocument* document)
{
    const bool undoRedo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    RtfReader reader(document);
    reader.parse(rtf);
    document->setUndoRedoEnabled(undoRedo);
}

RtfReader::RtfReader(QTextDocument* document)
    : m_cursor(document)
{
    // The bottom entry stands for "outside every group".
    m_stack.emplace_back();
}

void RtfReader::parse(const QByteArray& rtf)
{
    m_data = rtf;
    while (m_position < m_data.size() && !m_finished) {
        const char c = m_data.at(m_position++);
        if (c == '{')
            openGroup();
        else if (c == '}')
            closeGroup();
        else if (c == '\\')
            readControl();
        else if (m_skipDepth == 0 && c != '\r' && c != '\n')
            handleByte(c);
    }
    flush();
}

void RtfReader::openGroup()
{
    m_pendingSkip = 0;
    if (m_skipDepth > 0) {
        ++m_skipDepth;
        return;
    }
    flush();
    m_starred = false;
    if (m_stack.size() >= maximumDepth) {
        ++m_overflowDepth;
        return;
    }
    GroupState copy = state();
    m_stack.push_back(std::move(copy));
}

void RtfReader::closeGroup()
{
    m_pendingSkip = 0;
    if (m_skipDepth > 0) {
        --m_skipDepth;
        m_finished = m_skipDepth == 0 && m_overflowDepth == 0 && m_stack.size() == 1;
        return;
    }
    flush();
    m_starred = false;
    if (state().destination == Destination::FontTable && m_fontTable.hasPendingName())
        m_fontTable.commitEntry(m_codePages, m_documentCodePage); // the last entry may lack its ';'
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() == 1)
        return; // a stray closing brace
    m_stack.pop_back();
    // The document group has closed; whatever follows is not part of it.
    m_finished = m_stack.size() == 1;
}

void RtfReader::readControl()
{
    if (m_position >= m_data.size())
        return;
    const char c = m_data.at(m_position);
    if (isLetter(c)) {
        handleControlWord(readControlWord());
        return;
    }
    ++m_position;
    readControlSymbol(c);
}

RtfReader::ControlWord RtfReader::readControlWord()
{
    const qsizetype size = m_data.size();
    const qsizetype start = m_position;
    while (m_position < size && isLetter(m_data.at(m_position)))
        ++m_position;
    ControlWord word;
    word.name = m_data.mid(start, std::min(m_position - start, maximumWordLength));

    bool negative = false;
    if (m_position + 1 < size && m_data.at(m_position) == '-' && isDigit(m_data.at(m_position + 1))) {
        negative = true;
        ++m_position;
    }
    if (m_position < size && isDigit(m_data.at(m_position))) {
        // Saturate rather than overflow: absurd values are then rejected by
        // the range checks of each word.
        qint64 value = 0;
        while (m_position < size && isDigit(m_data.at(m_position)))
            value = std::min<qint64>(value * 10 + (m_data.at(m_position++) - '0'), INT_MAX);
        word.parameter = int(negative ? -value : value);
    }
    if (m_position < size && m_data.at(m_position) == ' ')
        ++m_position; // the delimiter belongs to the word
    return word;
}

void RtfReader::readControlSymbol(char symbol)
{
    if (m_skipDepth > 0)
        return;
    switch (symbol) {
    case '\'':
        readHexByte();
        return;
    case '*':
        m_starred = true;
        return;
    case '\\':
    case '{':
    case '}':
        handleByte(symbol);
        return;
    default:
        break;
    }
    if (consumeFallback())
        return;
    switch (symbol) {
    case '~':
        insertCharacter(QChar::Nbsp);
        break;
    case '-':
        insertCharacter(QChar::SoftHyphen);
        break;
    case '_':
        insertCharacter(0x2011); // non-breaking hyphen
        break;
    case '\r':
    case '\n':
        // A backslash before a line end is a paragraph mark, as TextEdit writes it.
        flush();
        if (state().destination == Destination::Text)
            breakParagraph();
        break;
    default:
        break;
    }
}

void RtfReader::readHexByte()
{
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_position < m_data.size()) {
        const int digit = hexValue(m_data.at(m_position));
        if (digit < 0)
            break;
        value = value * 16 + digit;
        ++digits;
        ++m_position;
    }
    if (digits == 2)
        handleByte(char(value));
}

void RtfReader::skipBinary(int count)
{
    m_position += std::clamp<qsizetype>(count, 0, m_data.size() - m_position);
}

void RtfReader::handleByte(char byte)
{
    m_starred = false;
    if (consumeFallback())
        return;
    switch (state().destination) {
    case Destination::Text:
        if (state().character.hidden)
            return;
        if (codePageOfCurrentFont() != m_pendingCodePage) {
            flushBytes();
            m_pendingCodePage = codePageOfCurrentFont();
        }
        m_pendingBytes.append(byte);
        return;
    case Destination::FontTable:
        if (byte == ';')
            m_fontTable.commitEntry(m_codePages, m_documentCodePage);
        else
            m_fontTable.appendToName(byte);
        return;
    case Destination::ColorTable:
        if (byte == ';')
            m_colorTable.commitEntry();
        return;
    case Destination::FieldInstruction:
        if (m_fieldInstruction.size() < maximumInstructionLength)
            m_fieldInstruction.append(byte);
        return;
    }
}

void RtfReader::handleControlWord(const ControlWord& word)
{
    const RtfKeyword keyword = RtfKeyword::lookup(word.name);
    if (keyword.kind == Kind::Binary) {
        skipBinary(word.parameter.value_or(0));
        if (m_skipDepth == 0)
            consumeFallback(); // binary data counts as one fallback character
        return;
    }
    if (m_skipDepth > 0)
        return;
    if (keyword.kind == Kind::Unicode) {
        m_starred = false;
        handleUnicode(word.parameter.value_or(0));
        return;
    }
    if (consumeFallback())
        return;
    flush();
    const bool starred = std::exchange(m_starred, false);
    if (handleDestination(keyword.kind))
        return;
    if (starred) {
        // \* marks a destination that readers who do not know it must skip.
        skipGroup();
        return;
    }
    applyControlWord(keyword, word.parameter);
}

void RtfReader::applyControlWord(const RtfKeyword& keyword, const std::optional<int>& parameter)
{
    if (handleEncoding(keyword.kind, parameter.value_or(0)))
        return;
    if (keyword.kind == Kind::Character) {
        insertCharacter(keyword.character);
        return;
    }
    if (state().destination == Destination::FontTable || state().destination == Destination::ColorTable) {
        handleTableEntry(keyword.kind, parameter.value_or(0));
        return;
    }
    if (!handleCharacterFormat(keyword.kind, parameter))
        handleParagraph(keyword.kind);
}

bool RtfReader::handleEncoding(RtfKeyword::Kind kind, int parameter)
{
    switch (kind) {
    case Kind::Ansi:
        m_documentCodePage = RtfCodePage::windowsLatin1;
        return true;
    case Kind::Mac:
        m_documentCodePage = 10000;
        return true;
    case Kind::Pc:
        m_documentCodePage = 437;
        return true;
    case Kind::Pca:
        m_documentCodePage = 850;
        return true;
    case Kind::AnsiCodePage:
        if (parameter > 0)
            m_documentCodePage = parameter;
        return true;
    case Kind::DefaultFont:
        m_defaultFont = parameter;
        return true;
    case Kind::UnicodeSkipCount:
        state().unicodeSkipCount = std::max(parameter, 0);
        return true;
    default:
        return false;
    }
}

bool RtfReader::handleDestination(RtfKeyword::Kind kind)
{
    switch (kind) {
    case Kind::FontTable:
        state().destination = Destination::FontTable;
        m_fontTable.beginEntry(0);
        return true;
    case Kind::ColorTable:
        state().destination = Destination::ColorTable;
        m_colorTable.clear();
        return true;
    case Kind::Field:
        m_fieldInstruction.clear();
        return true;
    case Kind::FieldInstruction:
        state().destination = Destination::FieldInstruction;
        return true;
    case Kind::FieldResult:
        // Only hyperlinks keep their meaning; other fields keep their shown text.
        state().destination = Destination::Text;
        state().linkTarget = hyperlinkTarget(m_codePages.decode(m_fieldInstruction, m_documentCodePage));
        return true;
    case Kind::SkippedDestination:
        skipGroup();
        return true;
    default:
        return false;
    }
}

void RtfReader::handleTableEntry(RtfKeyword::Kind kind, int parameter)
{
    switch (kind) {
    case Kind::Font:
        m_fontTable.beginEntry(parameter);
        break;
    case Kind::FontCharset:
        m_fontTable.setCharset(parameter);
        break;
    case Kind::FontCodePage:
        m_fontTable.setCodePage(parameter);
        break;
    case Kind::Red:
        m_colorTable.setRed(parameter);
        break;
    case Kind::Green:
        m_colorTable.setGreen(parameter);
        break;
    case Kind::Blue:
        m_colorTable.setBlue(parameter);
        break;
    default:
        break;
    }
}

bool RtfReader::handleCharacterFormat(RtfKeyword::Kind kind, const std::optional<int>& parameter)
{
    CharacterState& character = state().character;
    // Toggles: \b turns on, \b0 turns off.
    const bool on = parameter.value_or(1) != 0;
    switch (kind) {
    case Kind::Plain:
        character = CharacterState();
        return true;
    case Kind::Bold:
        character.bold = on;
        return true;
    case Kind::Italic:
        character.italic = on;
        return true;
    case Kind::Underline:
        character.underline = on;
        return true;
    case Kind::UnderlineNone:
        character.underline = false;
        return true;
    case Kind::StrikeOut:
        character.strikeOut = on;
        return true;
    case Kind::Hidden:
        character.hidden = on;
        return true;
    case Kind::FontSize: {
        const int halfPoints = parameter.value_or(24);
        if (halfPoints > 0 && halfPoints <= maximumHalfPoints)
            character.halfPoints = halfPoints;
        return true;
    }
    case Kind::Font:
        character.font = parameter.value_or(0);
        return true;
    case Kind::Foreground:
        character.foreground = parameter.value_or(0);
        return true;
    case Kind::Background:
        character.background = parameter.value_or(0);
        return true;
    default:
        return false;
    }
}

bool RtfReader::handleParagraph(RtfKeyword::Kind kind)
{
    switch (kind) {
    case Kind::ParagraphDefaults:
    case Kind::AlignLeft:
        state().alignment = Qt::AlignLeft;
        return true;
    case Kind::AlignCenter:
        state().alignment = Qt::AlignHCenter;
        return true;
    case Kind::AlignRight:
        state().alignment = Qt::AlignRight;
        return true;
    case Kind::AlignJustify:
        state().alignment = Qt::AlignJustify;
        return true;
    case Kind::Paragraph:
        if (state().destination == Destination::Text)
            breakParagraph();
        return true;
    default:
        return false;
    }
}

void RtfReader::handleUnicode(int value)
{
    flushBytes();
    const GroupState& current = state();
    // \u takes a signed 16-bit number: \u-4064 is U+F020.
    if (current.destination == Destination::Text && !current.character.hidden)
        appendCodePoint(value < 0 ? value + 65536 : value);
    m_pendingSkip = std::max(current.unicodeSkipCount, 0);
}

void RtfReader::appendCodePoint(int value)
{
    if (value < 0 || value > 0x10ffff) {
        appendText(QString(QChar::ReplacementCharacter));
        return;
    }
    if (value > 0xffff) {
        const char32_t codePoint = char32_t(value);
        appendText(QString::fromUcs4(&codePoint, 1));
        return;
    }
    // Characters beyond the BMP arrive as two \u words, one per surrogate.
    const char16_t unit = char16_t(value);
    if (QChar::isHighSurrogate(unit)) {
        appendText({});
        m_highSurrogate = unit;
    } else if (QChar::isLowSurrogate(unit) && m_highSurrogate != 0) {
        const QChar pair[] = { QChar(std::exchange(m_highSurrogate, 0)), QChar(unit) };
        m_pendingText.append(pair, 2);
    } else {
        appendText(QString(QChar::isLowSurrogate(unit) ? QChar(QChar::ReplacementCharacter) : QChar(unit)));
    }
}

void RtfReader::skipGroup()
{
    flush();
    if (m_overflowDepth > 0)
        --m_overflowDepth;
    else if (m_stack.size() > 1)
        m_stack.pop_back();
    else
        return; // outside every group there is no group to skip
    m_skipDepth = 1;
}

void RtfReader::appendText(const QString& text)
{
    // A high surrogate that no low surrogate followed is not a character.
    if (m_highSurrogate != 0) {
        m_pendingText.append(QChar::ReplacementCharacter);
        m_highSurrogate = 0;
    }
    m_pendingText.append(text);
}

void RtfReader::insertCharacter(char16_t character)
{
    if (state().destination != Destination::Text || state().character.hidden)
        return;
    flushBytes();
    appendText(QString(QChar(character)));
}

bool RtfReader::consumeFallback()
{
    if (m_pendingSkip <= 0)
        return false;
    --m_pendingSkip;
    return true;
}

void RtfReader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    appendText(m_codePages.decode(m_pendingBytes, m_pendingCodePage));
    m_pendingBytes.clear();
}

void RtfReader::flush()
{
    flushBytes();
    if (m_highSurrogate != 0)
        appendText({});
    removeStructuralCharacters(m_pendingText);
    if (m_pendingText.isEmpty())
        return;
    m_cursor.insertText(m_pendingText, characterFormat());
    // Paragraph properties in effect at the end of a paragraph govern it.
    m_cursor.setBlockFormat(blockFormat());
    m_pendingText.clear();
}

void RtfReader::breakParagraph()
{
    flush();
    m_cursor.setBlockFormat(blockFormat());
    m_cursor.insertBlock();
}

QTextCharFormat RtfReader::characterFormat() const
{
    const CharacterState& character = state().character;
    QTextCharFormat format;
    format.setFontWeight(character.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(character.italic);
    format.setFontUnderline(character.underline);
    format.setFontStrikeOut(character.strikeOut);
    format.setFontPointSize(character.halfPoints / 2.0);
    if (const RtfFontTable::Font* font = currentFont(); font != nullptr && !font->family.isEmpty())
        format.setFontFamilies({ font->family });
    if (const QColor foreground = m_colorTable.color(character.foreground); foreground.isValid())
        format.setForeground(foreground);
    if (const QColor background = m_colorTable.color(character.background); background.isValid())
        format.setBackground(background);
    if (!state().linkTarget.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(state().linkTarget);
    }
    return format;
}

QTextBlockFormat RtfReader::blockFormat() const
{
    QTextBlockFormat format;
    format.setAlignment(state().alignment);
    return format;
}

const RtfFontTable::Font* RtfReader::currentFont() const
{
    const int number = state().character.font;
    return m_fontTable.font(number < 0 ? m_defaultFont : number);
}

int RtfReader::codePageOfCurrentFont() const
{
    const RtfFontTable::Font* font = currentFont();
    const int codePage = font == nullptr ? RtfCodePage::documentCodePage : font->codePage;
    return codePage == RtfCodePage::documentCodePage ? m_documentCodePage : codePage;
}
