#include "cli/CliPassword.h"

#include "cli/CommandLine.h"

#include <QTextStream>

#include <cstdio>

namespace CliPassword {

bool isGivenOnStandardInput(const CommandLine& line)
{
    return line.has(QStringLiteral("password-stdin"));
}

QString readStandardInput()
{
    QTextStream input(stdin);
    return input.readLine();
}

Result<QString> fromLookup(const PasswordStore::Lookup& lookup, const QString& user, const QString& host)
{
    if (lookup.state == PasswordStore::Lookup::State::Found)
        return lookup.password;
    const QString why = lookup.state == PasswordStore::Lookup::State::NotStored ? QStringLiteral("the keyring has none")
                                                                                : lookup.reason;
    return Result<QString>::failure(
        QStringLiteral("no password for %1 at %2 (%3); give --password-stdin").arg(user, host, why));
}

} // namespace CliPassword
