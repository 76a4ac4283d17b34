#include "cli/CommandHelp.h"

#include <QTextStream>

#include <algorithm>

namespace {

const QString program = QStringLiteral("semestra-cli");

QString optionText(const OptionHelp& option)
{
    return QStringLiteral("--") + option.name;
}

// Text as roff shows it literally: backslashes and hyphens escaped, and no
// line taken for a request.
QString roff(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\e")).replace(u'-', QStringLiteral("\\-"));
    QStringList lines = escaped.split(u'\n');
    for (QString& line : lines) {
        if (line.startsWith(u'.') || line.startsWith(u'\''))
            line.prepend(QStringLiteral("\\&"));
    }
    return lines.join(u'\n');
}

void writeManCommand(QTextStream& out, const CommandHelp& command)
{
    out << ".SS " << roff(command.name) << '\n' << roff(command.summary) << '\n';
    out << ".PP\n.RS 4\n.nf\n" << roff(program + u' ' + command.usage) << "\n.fi\n.RE\n";
    for (const OptionHelp& option : command.options)
        out << ".TP\n.B " << roff(optionText(option)) << '\n' << roff(option.meaning) << '\n';
    out << ".PP\nExample:\n.RS 4\n.nf\n" << roff(program + u' ' + command.example) << "\n.fi\n.RE\n";
}

QString completionWords(const CommandHelp& command)
{
    QStringList words;
    for (const OptionHelp& option : command.options)
        words << optionText(option);
    return words.join(u' ');
}

} // namespace

void writeCommandHelp(QTextStream& out, const CommandHelp& command)
{
    out << "usage: " << program << ' ' << command.usage << "\n\n" << command.summary << "\n\noptions:\n";
    qsizetype width = 0;
    for (const OptionHelp& option : command.options)
        width = std::max(width, optionText(option).size());
    for (const OptionHelp& option : command.options)
        out << "  " << optionText(option).leftJustified(width + 2) << option.meaning << '\n';
    out << "\nexample:\n  " << program << ' ' << command.example << '\n';
    out.flush();
}

void writeManPage(QTextStream& out, const QList<CommandHelp>& commands, const QString& notes, const QString& version)
{
    out << ".TH SEMESTRA\\-CLI 1 \"\" \"" << roff(program + u' ' + version) << "\" \"User Commands\"\n"
        << ".SH NAME\n"
        << roff(program) << " \\- plan a school year's lessons from scripts\n"
        << ".SH SYNOPSIS\n.B " << roff(program) << "\n.I COMMAND FILE\n.RI [ OPTIONS ]\n.br\n"
        << ".B " << roff(program) << "\n.I COMMAND\n.B \\-\\-help\n.br\n"
        << ".B " << roff(program) << " help\n.I COMMAND\n.br\n"
        << ".B " << roff(program) << " \\-\\-version\n"
        << ".SH DESCRIPTION\nEach command works on one planner document, FILE, and reports a failure as one line "
           "on standard error with a non\\-zero exit status, leaving FILE as it was.\n"
        << ".SH COMMANDS\n";
    for (const CommandHelp& command : commands)
        writeManCommand(out, command);
    out << ".SH NOTES\n" << roff(notes) << '\n';
    out.flush();
}

void writeBashCompletion(QTextStream& out, const QList<CommandHelp>& commands)
{
    QStringList names;
    for (const CommandHelp& command : commands)
        names << command.name;
    out << "# bash completion for " << program << ", written by " << program << " --completion bash\n"
        << "_semestra_cli()\n{\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]}\n"
        << "    local commands=\"" << names.join(u' ') << "\"\n"
        << "    if ((COMP_CWORD == 1)); then\n"
        << "        mapfile -t COMPREPLY < <(compgen -W \"help --help --version $commands\" -- \"$cur\")\n"
        << "        return\n    fi\n"
        << "    local options\n    case ${COMP_WORDS[1]} in\n"
        << "    help)\n"
        << "        ((COMP_CWORD == 2)) && mapfile -t COMPREPLY < <(compgen -W \"$commands\" -- \"$cur\")\n"
        << "        return ;;\n";
    for (const CommandHelp& command : commands)
        out << "    " << command.name << ") options=\"" << completionWords(command) << "\" ;;\n";
    out << "    *) return ;;\n    esac\n"
        << "    if [[ $cur == -* ]]; then\n"
        << "        mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
        << "    else\n"
        << "        compopt -o filenames 2>/dev/null\n"
        << "        mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
        << "    fi\n}\n"
        << "complete -F _semestra_cli " << program << '\n';
    out.flush();
}
