#include "publish/SiteNames.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// Names the site itself uses at its top level.
const QStringList& siteNames()
{
    static const QStringList names { QStringLiteral("index.html"), QStringLiteral("themes") };
    return names;
}

bool isLinkSeparator(QChar c)
{
    static const QString replaced = QStringLiteral(" /;'\"\\:*?<>|#%");
    return replaced.contains(c) || c.category() == QChar::Other_Control;
}

QString spelledOut(QChar c)
{
    switch (c.unicode()) {
    case u'ß':
        return QStringLiteral("ss");
    case u'æ':
        return QStringLiteral("ae");
    case u'Æ':
        return QStringLiteral("AE");
    case u'œ':
        return QStringLiteral("oe");
    case u'Œ':
        return QStringLiteral("OE");
    case u'ø':
        return QStringLiteral("o");
    case u'Ø':
        return QStringLiteral("O");
    case u'ł':
        return QStringLiteral("l");
    case u'Ł':
        return QStringLiteral("L");
    case u'đ':
    case u'ð':
        return QStringLiteral("d");
    case u'Đ':
    case u'Ð':
        return QStringLiteral("D");
    case u'þ':
        return QStringLiteral("th");
    case u'Þ':
        return QStringLiteral("TH");
    default:
        return {};
    }
}

bool isAsciiLetterOrDigit(QChar c)
{
    return c.unicode() < 0x80 && c.isLetterOrNumber();
}

QString asciiLettersAndDigits(const QString& text)
{
    QString out;
    for (const QChar c : SiteNames::stringByRemovingAccents(text)) {
        if (isAsciiLetterOrDigit(c))
            out += c;
    }
    return out;
}

// A name that stays one segment inside its folder and is not hidden.
QString safeSegment(QString name)
{
    name.replace(u'/', u'_').replace(u'\\', u'_');
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return name.trimmed();
}

// Twelve different names, each with a letter: a name of digits alone
// ("3" for March in Japanese) would run into the day number that follows it.
bool namesAreUsable(const std::array<QString, 12>& names)
{
    QSet<QString> seen;
    for (const QString& name : names) {
        const bool hasLetter = std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); });
        if (!hasLetter || seen.contains(name.toLower()))
            return false;
        seen.insert(name.toLower());
    }
    return true;
}

std::array<QString, 12> localMonthNames(const QString& pattern)
{
    std::array<QString, 12> names;
    for (int month = 1; month <= 12; ++month) {
        const Date middle = LocalCalendar::dateFromComponents({ 2001, month, 15, 12, 0, 0 });
        names[size_t(month - 1)] = asciiLettersAndDigits(DateFormatting::formatPattern(middle, pattern));
    }
    return names;
}

enum class Width { Full, Abbreviated };

std::array<QString, 12> englishMonthNames(Width width)
{
    static const std::array<const char*, 12> full { "January", "February", "March", "April", "May", "June", "July",
        "August", "September", "October", "November", "December" };
    std::array<QString, 12> names;
    for (size_t month = 0; month < full.size(); ++month) {
        const QString name = QString::fromLatin1(full[month]);
        names[month] = width == Width::Full ? name : name.left(3);
    }
    return names;
}

} // namespace

namespace SiteNames {

QString courseNameForLink(const QString& courseName)
{
    QString link = courseName;
    for (QChar& c : link) {
        if (isLinkSeparator(c))
            c = u'_';
    }
    return link;
}

QString stringByRemovingAccents(const QString& text)
{
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() < 0x80)
            out += c;
        else
            out += spelledOut(c);
    }
    return out;
}

QString cleanFileName(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    name.replace(u' ', u'_');
    QString out;
    for (const QChar c : stringByRemovingAccents(name)) {
        if (isAsciiLetterOrDigit(c) || c == u'_' || c == u'-' || c == u'.')
            out += c;
    }
    return out;
}

QStringList courseFolders(const QStringList& courseNames)
{
    FolderNames names(siteNames());
    QStringList folders;
    for (const QString& name : courseNames)
        folders.append(names.claim(courseNameForLink(name), QStringLiteral("course")));
    return folders;
}

FolderNames::FolderNames(const QStringList& reserved)
{
    for (const QString& name : reserved)
        m_taken.insert(name.toLower());
}

QString FolderNames::claim(const QString& wanted, const QString& fallback)
{
    QString base = safeSegment(wanted);
    if (base.isEmpty())
        base = fallback;
    const QFileInfo parts(base);
    const QString suffix = parts.suffix().isEmpty() || parts.completeBaseName().isEmpty()
        ? QString()
        : QLatin1Char('.') + parts.suffix();
    const QString stem = base.left(base.size() - suffix.size());
    QString name = base;
    for (int n = 2; m_taken.contains(name.toLower()); ++n)
        name = QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix);
    m_taken.insert(name.toLower());
    return name;
}

DateNames::DateNames()
    : m_months(localMonthNames(QStringLiteral("MMMM")))
    , m_shortMonths(localMonthNames(QStringLiteral("MMM")))
    , m_weekdays(DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full))
    , m_shortWeekdays(DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Short))
{
    if (!namesAreUsable(m_months) || !namesAreUsable(m_shortMonths)) {
        m_english = true;
        m_months = englishMonthNames(Width::Full);
        m_shortMonths = englishMonthNames(Width::Abbreviated);
    }
}

QString DateNames::monthFileName(Date date) const
{
    const DateComponents parts = LocalCalendar::components(date);
    return m_months[size_t(parts.month - 1)] + QStringLiteral("%1").arg(parts.year % 100, 2, 10, QLatin1Char('0'));
}

QString DateNames::dayFolderName(Date date) const
{
    return dayFolderName(LocalCalendar::components(date));
}

QString DateNames::dayFolderName(const DateComponents& parts) const
{
    return m_shortMonths[size_t(parts.month - 1)] + QString::number(parts.day) + QString::number(parts.year);
}

} // namespace SiteNames
