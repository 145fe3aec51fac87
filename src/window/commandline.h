#pragma once

// The command line, read before Qt starts, so that it is answered the same
// with or without a display: the program's own options (--help, --help-all,
// --version), Qt's (-platform, -display, -session, ...), which Qt takes out
// of the command line as it starts, and nothing else.
//
// Qt takes its options with one dash or two, and a value as the next
// argument; --help-all lists them as "--session <session>", the way
// QCommandLineParser does, so "--session=<session>" is taken too: qtForm()
// splits it in two before Qt sees it.

#include <QString>
#include <QStringList>

namespace hearthvale {

// The name the program answers to in its help and messages, whatever its
// file is called.
inline constexpr const char *ProgramName = "hearthvale-names";

struct CommandLine {
    enum class Request { Start, Version, Help, HelpAll }; // in rising precedence
    Request request = Request::Start;
    QString error; // why the command line is refused; empty when it is not
    QString platform; // the value of -platform, if given
    QString display; // the value of -display, if given
};

// The arguments as in argv, the program's name first.
CommandLine readCommandLine(const QStringList &arguments);

// The arguments with each "--option=value" of Qt's split into two.
QStringList qtForm(const QStringList &arguments);

// Whether the argument is one of Qt's options, taken or not.
bool isQtOption(const QString &argument);

QString helpText(bool withQtOptions);
QString usageLine();

} // namespace hearthvale
