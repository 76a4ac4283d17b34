#pragma once

#include "foundation/core/Result.h"
#include "net/PasswordStore.h"

class CommandLine;

// Passwords of server accounts on the command line: given on the first line
// of standard input (--password-stdin), else the one the planner kept.
namespace CliPassword {

// True when the command was asked to read the password from standard input.
bool isGivenOnStandardInput(const CommandLine& line);
QString readStandardInput();
// The password a keyring lookup found, or a failure saying why there is none.
Result<QString> fromLookup(const PasswordStore::Lookup& lookup, const QString& user, const QString& host);

} // namespace CliPassword
