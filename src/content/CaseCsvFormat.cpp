#include "content/CaseCsvFormat.h"

#include "content/CaseFramework.h"
#include "content/StandardsImport.h"

#include <QFileInfo>

namespace {

QString headerKey(QString name)
{
    name.remove(u' ');
    name.remove(u'\t');
    return name.toLower();
}

struct Columns {
    qsizetype text = -1;
    qsizetype code = -1;
    qsizetype parent = -1;
    qsizetype abbreviation = -1;
    qsizetype sequence = -1;

    bool recognised() const { return text >= 0 && code >= 0; }
};

Columns columns(const QList<QStringList>& rows)
{
    Columns found;
    if (rows.isEmpty())
        return found;
    const QStringList& header = rows.first();
    for (qsizetype i = 0; i < header.size(); ++i) {
        const QString key = headerKey(header.at(i));
        if (key == u"fullstatement")
            found.text = i;
        else if (key == u"humancodingscheme")
            found.code = i;
        else if (key == u"ischildof")
            found.parent = i;
        else if (key == u"abbreviatedstatement")
            found.abbreviation = i;
        else if (key == u"sequencenumber")
            found.sequence = i;
    }
    return found;
}

QString field(const QStringList& row, qsizetype column)
{
    return column >= 0 && column < row.size() ? row.at(column).trimmed() : QString();
}

} // namespace

bool CaseCsvFormat::recognises(const StandardsSource& source) const
{
    return columns(source.rows()).recognised();
}

void CaseCsvFormat::read(const StandardsSource& source, StandardsImport& into) const
{
    const Columns at = columns(source.rows());
    QList<CaseItem> items;
    for (qsizetype number = 1; number < source.rows().size(); ++number) {
        const QStringList& row = source.rows().at(number);
        CaseItem item;
        item.text = field(row, at.text);
        item.shortName = field(row, at.code);
        if (item.shortName.isEmpty())
            item.shortName = field(row, at.abbreviation);
        if (item.text.isEmpty()) {
            into.refuse(QStringLiteral("Row %1 has no full statement.").arg(number + 1));
            continue;
        }
        // Rows name their parent by its coding; a row without one is known by its place.
        item.identifier = item.shortName.isEmpty() ? QStringLiteral("#%1").arg(number) : item.shortName;
        item.parent = field(row, at.parent);
        bool numeric = false;
        const double sequence = field(row, at.sequence).toDouble(&numeric);
        if (numeric)
            item.sequence = sequence;
        items.append(item);
    }
    CaseFramework::place(items, QFileInfo(source.fileName()).completeBaseName(), into);
}
