#pragma once

// The command line, read once and before Qt starts, so that it is answered
// the same with or without a display: QCommandLineParser takes the
// program's own options (--help, --help-all, --version) and Qt's
// (-platform, -display, -session, ...), with one dash or two and the value
// after a space or '=', and nothing else. Qt's go on to Qt in the one form
// it reads everywhere: "-name", then the value.

#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace hearthvale {

// The name the program answers to in its help and messages, whatever its
// file is called.
inline constexpr const char *ProgramName = "hearthvale-names";

struct CommandLine {
    enum class Request { Start, Version, Help, HelpAll };
    Request request = Request::Start;
    QString error; // why the command line is refused; empty when it is not
    QByteArrayList forQt; // the program's name, then Qt's options
    QString platform, display, pluginFolder; // -platform, -display, -platformpluginpath
};

// The arguments as in argv, the program's name first.
CommandLine readCommandLine(const QStringList &arguments);

QString helpText(bool withQtOptions);
QString usageLine();

} // namespace hearthvale
