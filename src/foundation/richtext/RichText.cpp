#include "foundation/richtext/RichText.h"

#include "foundation/richtext/RtfReader.h"
#include "foundation/richtext/RtfWriter.h"

#include <QTextDocument>

QString RichText::plainText(const QByteArray& rtf)
{
    return plainText(*RtfReader::read(rtf));
}

QString RichText::plainText(const QTextDocument& document)
{
    // toPlainText() would also turn line breaks and non-breaking spaces into
    // "\n" and " ", and the shadow would then never equal the text typed.
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QByteArray RichText::fromPlainText(const QString& text)
{
    QTextDocument document;
    document.setDefaultFont(defaultFont());
    document.setPlainText(text);
    return RtfWriter::write(document);
}

bool RichText::isEmpty(const QByteArray& rtf)
{
    return plainText(rtf).isEmpty();
}

std::optional<QByteArray> RichText::agreeingWith(const QByteArray& rtf, const QString& shadow)
{
    const QString plain = plainText(rtf);
    if (plain != shadow && !shadow.isEmpty())
        return fromPlainText(shadow);
    if (!plain.isEmpty() && shadow.isEmpty())
        return fromPlainText(QString());
    return std::nullopt;
}

QFont RichText::defaultFont()
{
    return QFont(QStringLiteral("Helvetica"), 12);
}
