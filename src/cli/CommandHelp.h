#pragma once

#include <QList>
#include <QString>

class QTextStream;

// One option of a command and what it means.
struct OptionHelp {
    QString name;
    QString meaning;
};

// Everything a reader is told about one command. The same text is printed
// by `COMMAND --help` and written into the manual page and the shell
// completion, so none of them can tell a different story.
struct CommandHelp {
    QString name;
    QString usage;
    QString summary;
    QList<OptionHelp> options;
    QString example;
};

// The text `semestra-cli COMMAND --help` prints.
void writeCommandHelp(QTextStream& out, const CommandHelp& command);
// A manual page (roff, section 1) for every command; `notes` are the plain
// paragraphs that the overall help ends with.
void writeManPage(QTextStream& out, const QList<CommandHelp>& commands, const QString& notes, const QString& version);
// A bash completion script for command names, their options and files.
void writeBashCompletion(QTextStream& out, const QList<CommandHelp>& commands);
