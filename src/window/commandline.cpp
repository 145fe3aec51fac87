#include "commandline.h"

#include <QCommandLineParser>
#include <QHash>

#include <algorithm>
#include <iterator>

namespace hearthvale {

namespace {

struct QtOption {
    const char *name;
    const char *value; // empty: takes none
    const char *help; // none: taken, but not listed
};

// Those Qt 6 takes out of the command line as it starts: the core, GUI and
// widget options on every platform, then the X11 plugin's. The unlisted ones
// are X11 aliases and debugging aids that do nothing here.
// clang-format off
const QtOption QtOptions[] = {
    {"platform", "name[:options]", "Qt's window-system plugin: xcb, wayland, ..."},
    {"platformpluginpath", "path", "Where Qt looks for that plugin."},
    {"platformtheme", "theme", "Qt's platform theme."},
    {"plugin", "plugin", "A further Qt plugin to load; may be repeated."},
    {"qwindowgeometry", "geometry", "The window's place, X11-style: +X+Y."},
    {"qwindowicon", "icon", "The window's icon."},
    {"qwindowtitle", "title", "The window's title."},
    {"reverse", "", "Right-to-left layout (the card stays as it is)."},
    {"session", "session", "Restores the program in a desktop session."},
    {"style", "style", "Qt's widget style."},
    {"stylesheet", "file", "A Qt style sheet."},
    {"display", "display", "X11: the display to open, instead of $DISPLAY."},
    {"name", "name", "X11: the instance name in WM_CLASS."},
    {"visual", "id", "X11: the visual to use."},
    {"nograb", "", "X11: never grab the mouse."},
    {"dograb", "", "X11: grab the mouse even under a debugger."},
    {"geometry", "geometry", nullptr}, {"title", "title", nullptr}, {"icon", "icon", nullptr},
    {"qmljsdebugger", "options", nullptr}, {"testability", "", nullptr}, {"widgetcount", "", nullptr},
    {"qdevel", "", nullptr}, {"qdebug", "", nullptr},
};
// clang-format on

void addOptions(QCommandLineParser &parser, bool listQtOptions)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Proposes a name for a neighborhood in a game."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const QtOption &qt : QtOptions) {
        QCommandLineOption option(QLatin1StringView(qt.name), QLatin1StringView(qt.help), QLatin1StringView(qt.value));
        if (!listQtOptions || !qt.help)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser, false);
    CommandLine line;
    if (!parser.parse(arguments))
        line.error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        line.error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    using Request = CommandLine::Request;
    line.request = parser.isSet(QStringLiteral("help-all")) ? Request::HelpAll
        : parser.isSet(QStringLiteral("help"))              ? Request::Help
        : parser.isSet(QStringLiteral("version"))           ? Request::Version
                                                            : Request::Start;
    // Each of Qt's options as often and in the order given, with its values
    // in turn; the values are asked for only of those that take one.
    line.forQt.append(arguments.value(0).toLocal8Bit());
    QHash<QString, qsizetype> taken;
    for (const QString &name : parser.optionNames()) {
        const auto qt = std::find_if(std::begin(QtOptions), std::end(QtOptions), [&name](const QtOption &option) {
            return name == QLatin1StringView(option.name);
        });
        if (qt == std::end(QtOptions))
            continue;
        line.forQt.append('-' + name.toLocal8Bit());
        if (*qt->value)
            line.forQt.append(parser.values(name).value(taken[name]++).toLocal8Bit());
    }
    line.platform = parser.value(QStringLiteral("platform"));
    line.display = parser.value(QStringLiteral("display"));
    line.pluginFolder = parser.value(QStringLiteral("platformpluginpath"));
    return line;
}

QString usageLine()
{
    return QStringLiteral("Usage: %1 [options]\n").arg(QLatin1StringView(ProgramName));
}

QString helpText(bool withQtOptions)
{
    QCommandLineParser parser;
    addOptions(parser, withQtOptions);
    // Qt's own first line names the program's file, or no file before the
    // application object exists.
    return usageLine() + parser.helpText().section(u'\n', 1);
}

} // namespace hearthvale
