#pragma once

#include "foundation/richtext/RtfCodePage.h"
#include "foundation/richtext/RtfColorTable.h"
#include "foundation/richtext/RtfFontTable.h"
#include "foundation/richtext/RtfKeyword.h"

#include <QByteArray>
#include <QString>
#include <QTextCursor>

#include <memory>
#include <optional>
#include <vector>

class QTextDocument;
class QTextBlockFormat;
class QTextCharFormat;

// Reads RTF as written by word processors into a QTextDocument: text, the common
// character formatting (bold, italic, underline, strike-out, font family and
// size, colours), paragraph alignment and hyperlinks. Pictures, objects, headers,
// style sheets and other metadata are skipped.
//
// Any bytes are accepted. Broken documents give as much text as could be read:
// groups are tracked on an explicit stack with a depth cap, so deep nesting
// costs neither recursion nor unbounded memory, and a missing closing brace
// simply ends the document. Whatever follows the document's closing brace is
// ignored.
//
// Every \par starts a new paragraph, the last one included: "Hello\par}" reads
// as "Hello" and an empty paragraph, as the word processors that wrote it mean.
// Like every QTextDocument user, this needs a QGuiApplication for fonts.
class RtfReader {
public:
    // Whether the bytes start like an RTF document.
    static bool isRtf(const QByteArray& data);

    static std::unique_ptr<QTextDocument> read(const QByteArray& rtf);
    // Replaces the document's content with the RTF's.
    static void read(const QByteArray& rtf, QTextDocument* document);

private:
    enum class Destination { Text, FontTable, ColorTable, FieldInstruction };

    struct CharacterState {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        bool hidden = false;
        int font = -1; // -1: the document's default font (\deff)
        int halfPoints = 24;
        int foreground = 0; // colour table indices; 0 is "automatic"
        int background = 0;
    };

    struct GroupState {
        CharacterState character;
        Qt::Alignment alignment = Qt::AlignLeft;
        int unicodeSkipCount = 1;
        Destination destination = Destination::Text;
        QString linkTarget;
    };

    struct ControlWord {
        QByteArray name;
        std::optional<int> parameter;
    };

    explicit RtfReader(QTextDocument* document);

    void parse(const QByteArray& rtf);
    void finish();

    // Tokens
    void openGroup();
    void closeGroup();
    void readControl();
    ControlWord readControlWord();
    void readControlSymbol(char symbol);
    void readHexByte();
    void skipBinary(int count);
    void handleByte(char byte);

    // Control words
    void handleControlWord(const ControlWord& word);
    void applyControlWord(const RtfKeyword& keyword, const std::optional<int>& parameter);
    bool handleEncoding(RtfKeyword::Kind kind, int parameter);
    bool handleDestination(RtfKeyword::Kind kind);
    void handleTableEntry(RtfKeyword::Kind kind, int parameter);
    bool handleCharacterFormat(RtfKeyword::Kind kind, const std::optional<int>& parameter);
    bool handleParagraph(RtfKeyword::Kind kind);
    void handleUnicode(int value);
    void appendCodePoint(int value);
    void skipGroup();

    // Output
    void appendText(const QString& text);
    void insertCharacter(char16_t character);
    bool consumeFallback();
    void flushBytes();
    void flush();
    void breakParagraph();
    QTextCharFormat characterFormat() const;
    QTextBlockFormat blockFormat() const;
    const RtfFontTable::Font* currentFont() const;
    int codePageOfCurrentFont() const;

    GroupState& state() { return m_stack.back(); }
    const GroupState& state() const { return m_stack.back(); }

    QTextCursor m_cursor;
    RtfCodePage m_codePages;

    QByteArray m_data;
    qsizetype m_position = 0;
    bool m_finished = false;

    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0; // groups opened beyond the depth cap
    int m_skipDepth = 0; // open groups inside a skipped destination
    bool m_starred = false; // the group began with \*
    int m_pendingSkip = 0; // fallback characters still to drop after \uN
    char16_t m_highSurrogate = 0;

    int m_documentCodePage = RtfCodePage::windowsLatin1;
    int m_defaultFont = 0;
    RtfFontTable m_fontTable;
    RtfColorTable m_colorTable;
    QByteArray m_fieldInstruction;

    QByteArray m_pendingBytes;
    int m_pendingCodePage = RtfCodePage::windowsLatin1;
    QString m_pendingText;
};
