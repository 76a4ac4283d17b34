#include "content/StandardsImport.h"

#include "model/Standard.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

namespace {

// Enough reasons to act on; the rest are counted.
constexpr int maximumListedProblems = 5;

} // namespace

QString StandardsImportReport::summary() const
{
    QString text
        = QStringLiteral("Added: %1. Skipped as already there: %2. Refused: %3.").arg(added).arg(skipped).arg(refused);
    if (misplaced > 0)
        text += QStringLiteral(" Placed at the top level: %1.").arg(misplaced);
    for (const QString& problem : problems.mid(0, maximumListedProblems))
        text += QStringLiteral("\n") + problem;
    if (problems.size() > maximumListedProblems)
        text += QStringLiteral("\n… and %1 more.").arg(problems.size() - maximumListedProblems);
    return text;
}

StandardsImport::StandardsImport(Year& year)
    : m_year(year)
    , m_root(StandardLookup::rootItem(year))
    , m_lookup(year)
{ }

Standard* StandardsImport::create(const QString& text, const QString& shortName, Standard* parent)
{
    auto* standard = m_year.context().insert<Standard>(QStringLiteral("Standard"));
    standard->setValue(u"isRootItem", false);
    standard->setValue(u"text", text);
    standard->setValue(u"shortName", shortName);
    standard->setObject(u"parent", parent ? parent : m_root);
    standard->setObject(u"year", &m_year);
    standard->updateTime();
    m_lookup.add(standard);
    return standard;
}

void StandardsImport::refuse(const QString& reason)
{
    ++m_report.refused;
    m_report.problems.append(reason);
}

void StandardsImport::misplace(const QString& reason)
{
    ++m_report.misplaced;
    m_report.problems.append(reason);
}
