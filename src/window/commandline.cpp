#include "commandline.h"

#include <algorithm>
#include <iterator>

namespace hearthvale {

namespace {

struct Option {
    const char *name;
    bool takesValue;
    const char *usage; // as listed; none: taken, but not listed
    const char *help;
};

// clang-format off
const Option OwnOptions[] = {
    {"h", false, nullptr, nullptr},
    {"help", false, "-h, --help", "Print this help and exit."},
    {"help-all", false, "--help-all", "Print this help with Qt's options, and exit."},
    {"v", false, nullptr, nullptr},
    {"version", false, "-v, --version", "Print the program's name and version, and exit."},
};

// Those Qt 6 takes out of the command line as it starts: the core, GUI and
// widget options on every platform, then the X11 plugin's. The unlisted ones
// are X11 aliases and debugging aids that do nothing here.
const Option QtOptions[] = {
    {"platform", true, "--platform <name[:options]>", "Qt's window-system plugin: xcb, wayland, ..."},
    {"platformpluginpath", true, "--platformpluginpath <path>", "Where Qt looks for that plugin."},
    {"platformtheme", true, "--platformtheme <theme>", "Qt's platform theme."},
    {"plugin", true, "--plugin <plugin>", "A further Qt plugin to load; may be repeated."},
    {"qwindowgeometry", true, "--qwindowgeometry <geometry>", "The window's place, X11-style: +X+Y."},
    {"qwindowicon", true, "--qwindowicon <icon>", "The window's icon."},
    {"qwindowtitle", true, "--qwindowtitle <title>", "The window's title."},
    {"reverse", false, "--reverse", "Right-to-left layout (the card stays as it is)."},
    {"session", true, "--session <session>", "Restores the program in a desktop session."},
    {"style", true, "--style <style>", "Qt's widget style."},
    {"stylesheet", true, "--stylesheet <file>", "A Qt style sheet."},
    {"display", true, "--display <display>", "X11: the display to open, instead of $DISPLAY."},
    {"name", true, "--name <name>", "X11: the instance name in the window's WM_CLASS."},
    {"visual", true, "--visual <id>", "X11: the visual to use."},
    {"nograb", false, "--nograb", "X11: never grab the mouse."},
    {"dograb", false, "--dograb", "X11: grab the mouse even under a debugger."},
    {"geometry", true, nullptr, nullptr}, {"title", true, nullptr, nullptr}, {"icon", true, nullptr, nullptr},
    {"qmljsdebugger", true, nullptr, nullptr}, {"testability", false, nullptr, nullptr},
    {"widgetcount", false, nullptr, nullptr}, {"qdevel", false, nullptr, nullptr}, {"qdebug", false, nullptr, nullptr},
};
// clang-format on

// "-name" or "--name" to "name"; anything else to an empty string.
QString optionName(const QString &argument)
{
    if (argument.size() < 2 || argument.front() != u'-' || argument == QLatin1StringView("--"))
        return {};
    return argument.mid(argument.startsWith(QLatin1StringView("--")) ? 2 : 1);
}

template <std::size_t N> const Option *find(const Option (&options)[N], const QString &name)
{
    const auto found = std::find_if(std::begin(options), std::end(options),
                                    [&name](const Option &option) { return name == QLatin1StringView(option.name); });
    return found == std::end(options) ? nullptr : found;
}

template <std::size_t N> void listOptions(QString &text, const Option (&options)[N])
{
    for (const Option &option : options) {
        if (option.usage)
            text += QStringLiteral("  %1 %2\n")
                        .arg(QLatin1StringView(option.usage), -28)
                        .arg(QLatin1StringView(option.help));
    }
}

} // namespace

QStringList qtForm(const QStringList &arguments)
{
    QStringList split = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const qsizetype equals = argument.indexOf(u'=');
        const Option *option = find(QtOptions, optionName(argument.left(equals)));
        if (option && option->takesValue && equals > 0) {
            split << argument.left(equals) << argument.mid(equals + 1);
            continue;
        }
        split << argument;
        if (option && option->takesValue && i + 1 < arguments.size())
            split << arguments.at(++i); // the value as it is, '=' and all
    }
    return split;
}

bool isQtOption(const QString &argument)
{
    return find(QtOptions, optionName(argument));
}

CommandLine readCommandLine(const QStringList &arguments)
{
    CommandLine line;
    const QStringList split = qtForm(arguments);
    for (qsizetype i = 1; i < split.size(); ++i) {
        const QString name = optionName(split.at(i));
        if (find(OwnOptions, name)) {
            const auto request = name == QLatin1StringView("help-all") ? CommandLine::Request::HelpAll
                : name.startsWith(u'h')                                ? CommandLine::Request::Help
                                                                       : CommandLine::Request::Version;
            line.request = std::max(line.request, request);
            continue;
        }
        const Option *option = find(QtOptions, name);
        if (line.error.isEmpty() && !option)
            line.error = name.isEmpty() ? QStringLiteral("Unexpected argument '%1'.").arg(split.at(i))
                                        : QStringLiteral("Unknown option '%1'.").arg(split.at(i));
        if (!option || !option->takesValue)
            continue;
        if (i + 1 == split.size()) {
            if (line.error.isEmpty())
                line.error = QStringLiteral("Option '%1' needs a value.").arg(split.at(i));
            continue;
        }
        const QString &value = split.at(++i);
        if (name == QLatin1StringView("platform"))
            line.platform = value;
        else if (name == QLatin1StringView("display"))
            line.display = value;
    }
    return line;
}

QString usageLine()
{
    return QStringLiteral("Usage: %1 [options]\n").arg(QLatin1StringView(ProgramName));
}

QString helpText(bool withQtOptions)
{
    QString text = usageLine() + QStringLiteral("Proposes a name for a neighborhood in a game.\n\nOptions:\n");
    listOptions(text, OwnOptions);
    if (withQtOptions) {
        text += QStringLiteral("\nQt's options, taken with one dash or two, the value after a space or '=':\n");
        listOptions(text, QtOptions);
    }
    return text;
}

} // namespace hearthvale
