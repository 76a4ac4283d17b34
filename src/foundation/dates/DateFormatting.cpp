#include "foundation/dates/DateFormatting.h"

#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace {

// QString and icu::UnicodeString are both UTF-16.
icu::UnicodeString toIcu(const QString& text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
}

QString fromIcu(const icu::UnicodeString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

std::string currentLocaleName()
{
    return icu::Locale::getDefault().getName();
}

// A formatter takes the default zone and locale when it is made, so cached
// ones are looked up under both: switching either picks (or makes) another.
std::string currentLocaleAndZone()
{
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    icu::UnicodeString zoneId;
    std::string key = currentLocaleName() + '|';
    zone->getID(zoneId).toUTF8String(key);
    return key;
}

// Making an ICU formatter costs far more than using one, and the program
// formats the same few patterns over and over. The number of distinct patterns
// is small; the limit only guards against a caller with unbounded patterns.
template <typename Value> class FormatterCache {
public:
    using Factory = std::function<std::unique_ptr<Value>()>;

    Value* get(const std::string& key, const Factory& make)
    {
        auto found = m_entries.find(key);
        if (found != m_entries.end())
            return found->second.get();
        auto made = make();
        if (!made)
            return nullptr;
        if (m_entries.size() >= maximumEntries)
            m_entries.clear();
        return m_entries.emplace(key, std::move(made)).first->second.get();
    }

private:
    static constexpr std::size_t maximumEntries = 256;
    std::map<std::string, std::unique_ptr<Value>> m_entries;
};

// Formatters are not safe to share between threads; each keeps its own.
icu::DateFormat* cachedFormat(const std::string& what, const FormatterCache<icu::DateFormat>::Factory& make)
{
    thread_local FormatterCache<icu::DateFormat> cache;
    return cache.get(currentLocaleAndZone() + '|' + what, make);
}

icu::DateFormat* patternFormat(const QString& pattern)
{
    return cachedFormat("pattern:" + pattern.toStdString(), [&]() -> std::unique_ptr<icu::DateFormat> {
        UErrorCode status = U_ZERO_ERROR;
        auto format = std::make_unique<icu::SimpleDateFormat>(toIcu(pattern), icu::Locale::getDefault(), status);
        if (U_FAILURE(status))
            return nullptr;
        // Strict: reading "2026-02-30" must fail rather than give March 2.
        format->setLenient(false);
        return format;
    });
}

icu::DateFormat::EStyle icuStyle(DateFormatting::DateStyle style)
{
    switch (style) {
    case DateFormatting::DateStyle::Short:
        return icu::DateFormat::kShort;
    case DateFormatting::DateStyle::Medium:
        return icu::DateFormat::kMedium;
    case DateFormatting::DateStyle::Long:
        return icu::DateFormat::kLong;
    }
    return icu::DateFormat::kMedium;
}

QString formatWith(const icu::DateFormat* format, Date date)
{
    if (!format)
        return {};
    icu::UnicodeString text;
    format->format(date.toUDate(), text);
    return fromIcu(text);
}

icu::DateFormat* styleFormat(DateFormatting::DateStyle style)
{
    return cachedFormat("date-style:" + std::to_string(int(style)), [style] {
        return std::unique_ptr<icu::DateFormat>(
            icu::DateFormat::createDateInstance(icuStyle(style), icu::Locale::getDefault()));
    });
}

icu::DateTimePatternGenerator* patternGenerator()
{
    thread_local FormatterCache<icu::DateTimePatternGenerator> cache;
    return cache.get(currentLocaleName(), []() -> std::unique_ptr<icu::DateTimePatternGenerator> {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::DateTimePatternGenerator> generator(
            icu::DateTimePatternGenerator::createInstance(icu::Locale::getDefault(), status));
        return U_SUCCESS(status) ? std::move(generator) : nullptr;
    });
}

QStringList readWeekdaySymbols(DateFormatting::SymbolWidth width)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols symbols(icu::Locale::getDefault(), status);
    if (U_FAILURE(status))
        return {};
    const auto icuWidth = width == DateFormatting::SymbolWidth::Full ? icu::DateFormatSymbols::WIDE
                                                                     : icu::DateFormatSymbols::ABBREVIATED;
    int32_t count = 0;
    const icu::UnicodeString* names = symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, icuWidth);
    // ICU indexes weekdays by UCAL_SUNDAY (1) ... UCAL_SATURDAY (7); slot 0 is empty.
    QStringList result;
    for (int32_t day = UCAL_SUNDAY; day <= UCAL_SATURDAY && day < count; ++day)
        result.append(fromIcu(names[day]));
    return result;
}

} // namespace

namespace DateFormatting {

QString formatPattern(Date date, const QString& pattern)
{
    return formatWith(patternFormat(pattern), date);
}

QString patternForTemplate(const QString& dateTemplate)
{
    icu::DateTimePatternGenerator* generator = patternGenerator();
    if (!generator)
        return dateTemplate;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString pattern = generator->getBestPattern(toIcu(dateTemplate), status);
    return U_SUCCESS(status) ? fromIcu(pattern) : dateTemplate;
}

QString formatTemplate(Date date, const QString& dateTemplate)
{
    return formatPattern(date, patternForTemplate(dateTemplate));
}

QString formatDateStyle(Date date, DateStyle style)
{
    return formatWith(styleFormat(style), date);
}

QString patternForDateStyle(DateStyle style)
{
    const auto* format = dynamic_cast<const icu::SimpleDateFormat*>(styleFormat(style));
    if (!format)
        return {};
    icu::UnicodeString pattern;
    return fromIcu(format->toPattern(pattern));
}

QString formatShortTime(Date date)
{
    const icu::DateFormat* format = cachedFormat("time-style:short", [] {
        return std::unique_ptr<icu::DateFormat>(
            icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, icu::Locale::getDefault()));
    });
    return formatWith(format, date);
}

std::optional<Date> parse(const QString& text, const QString& pattern)
{
    const icu::DateFormat* format = patternFormat(pattern);
    if (!format)
        return std::nullopt;
    const icu::UnicodeString icuText = toIcu(text);
    icu::ParsePosition position(0);
    const UDate parsed = format->parse(icuText, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != icuText.length())
        return std::nullopt;
    return Date::fromUDate(parsed);
}

std::optional<Date> parseTypedDate(const QString& text)
{
    const QStringList patterns { patternForTemplate(QStringLiteral("yMd")), patternForDateStyle(DateStyle::Short),
        patternForDateStyle(DateStyle::Medium), patternForDateStyle(DateStyle::Long), QStringLiteral("yyyy-MM-dd") };
    const QString trimmed = text.trimmed();
    for (const QString& pattern : patterns) {
        if (const std::optional<Date> date = parse(trimmed, pattern))
            return date;
    }
    return std::nullopt;
}

// Every day a change touches is matched by its weekday name, and making ICU's
// symbols costs far more than the match, so each locale's names are read once.
QStringList weekdaySymbols(SymbolWidth width)
{
    thread_local FormatterCache<QStringList> cache;
    const std::string key = currentLocaleName() + (width == SymbolWidth::Full ? "|wide" : "|abbreviated");
    const QStringList* names = cache.get(key, [width]() -> std::unique_ptr<QStringList> {
        QStringList read = readWeekdaySymbols(width);
        return read.isEmpty() ? nullptr : std::make_unique<QStringList>(std::move(read));
    });
    return names ? *names : QStringList();
}

QString weekdayName(Date date)
{
    return formatPattern(date, QStringLiteral("EEEE"));
}

} // namespace DateFormatting
