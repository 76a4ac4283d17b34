#pragma once

#include <QStringList>

#include <cstdio>

// semestra-connect's commands: serve, user add|list|disable|reset, feedback list.
// Errors are one line on standard error; the exit code is 0 (done),
// 1 (failed) or 2 (wrong usage).
namespace CommandLine {

int run(const QStringList& arguments, std::FILE* in = stdin, std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace CommandLine
