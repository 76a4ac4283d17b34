#include "cli/CommandLine.h"

Result<CommandLine> CommandLine::parse(const QStringList& arguments, const CommandSyntax& syntax)
{
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            line.m_positionals.append(argument);
            continue;
        }
        const QString option = argument.mid(2);
        if (syntax.switches.contains(option)) {
            line.m_switches.insert(option);
        } else if (syntax.valueOptions.contains(option)) {
            if (i + 1 >= arguments.size())
                return Result<CommandLine>::failure(QStringLiteral("%1 needs a value").arg(argument));
            line.m_values[option].append(arguments.at(++i));
        } else {
            return Result<CommandLine>::failure(
                QStringLiteral("%1 does not take the option %2").arg(syntax.name, argument));
        }
    }
    const qsizetype given = line.m_positionals.size();
    if (given < syntax.positionalCount || given > syntax.positionalCount + syntax.optionalPositionals)
        return Result<CommandLine>::failure(syntax.positionalCount == 1
                ? QStringLiteral("%1 takes one FILE argument").arg(syntax.name)
                : QStringLiteral("%1 takes %2 arguments").arg(syntax.name).arg(syntax.positionalCount));
    return line;
}

QString CommandLine::value(const QString& option, const QString& fallback) const
{
    const QStringList given = m_values.value(option);
    return given.isEmpty() ? fallback : given.last();
}

Result<int> CommandLine::intValue(const QString& option, int fallback, int minimum) const
{
    if (!m_values.contains(option))
        return fallback;
    bool ok = false;
    const int number = value(option).toInt(&ok);
    if (!ok || number < minimum)
        return Result<int>::failure(QStringLiteral("--%1 must be a whole number of at least %2, not \"%3\"")
                                        .arg(option)
                                        .arg(minimum)
                                        .arg(value(option)));
    return number;
}

Result<QString> CommandLine::required(const QString& option) const
{
    if (!m_values.contains(option))
        return Result<QString>::failure(QStringLiteral("--%1 is required").arg(option));
    return value(option);
}
