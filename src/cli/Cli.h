#pragma once

#include <QStringList>

class QTextStream;

// The command-line front end: picks the command named by the first
// argument, runs it and reports failures as one line on the error stream.
class Cli {
public:
    enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

    Cli(QTextStream& out, QTextStream& errors);

    // The arguments without the program name; returns the exit code.
    int run(const QStringList& arguments);

private:
    void printHelp();
    // The help of the one command named in `names`.
    int printCommandHelp(const QStringList& names);
    int writeDocumentation(const QStringList& arguments);

    QTextStream& m_out;
    QTextStream& m_errors;
};
