#pragma once

#include "foundation/core/Result.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// What one command accepts: how many file arguments, which options take a
// value (any of them may be repeated) and which are plain switches.
struct CommandSyntax {
    QString name;
    int positionalCount = 1;
    QStringList valueOptions;
    QStringList switches;
    // How many more file arguments may follow (commands with sub-actions).
    int optionalPositionals = 0;
};

// The arguments of one command, checked against its syntax.
class CommandLine {
public:
    static Result<CommandLine> parse(const QStringList& arguments, const CommandSyntax& syntax);

    const QStringList& positionals() const { return m_positionals; }
    bool has(const QString& option) const { return m_values.contains(option) || m_switches.contains(option); }
    // The last value given for the option, or `fallback`.
    QString value(const QString& option, const QString& fallback = {}) const;
    // Every value given for the option, in order.
    QStringList values(const QString& option) const { return m_values.value(option); }
    // The option's value as a whole number, checked to be at least `minimum`.
    Result<int> intValue(const QString& option, int fallback, int minimum) const;
    // A value option that must be there.
    Result<QString> required(const QString& option) const;

private:
    QStringList m_positionals;
    QHash<QString, QStringList> m_values;
    QSet<QString> m_switches;
};
