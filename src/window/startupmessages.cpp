#include "startupmessages.h"

#include "commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <cstdio>
#include <cstdlib>
#include <optional>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace hearthvale {

namespace {

// The start under way, for Qt's message handler, which is a plain function.
struct Start {
    const CommandLine &line;
    QtMessageHandler previous = nullptr;
    int stderrWas = -1; // -1: stderr is not held
};
Start *current = nullptr;

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg)
        return current->previous(type, context, text);
    // Worked out while stderr is held, so that nothing said on the way gets out.
    const QString told =
        describeFailedStart(current->line, platformPlugins(current->line), QGuiApplication::platformName(), text);
#ifdef Q_OS_UNIX
    if (current->stderrWas >= 0)
        dup2(current->stderrWas, STDERR_FILENO);
#endif
    std::fprintf(stderr, "%s: %s\n", ProgramName, qPrintable(told));
    std::_Exit(1);
}

// "no display to open: DISPLAY is not set", "cannot open display ":1" (given by -display)"
QString displayLine(const char *kind, const QString &display, const QString &from)
{
    return display.isEmpty()
        ? QStringLiteral("no %1display to open: %2 is not set").arg(QLatin1StringView(kind), from)
        : QStringLiteral("cannot open %1display \"%2\" (given by %3)").arg(QLatin1StringView(kind), display, from);
}

} // namespace

void startPlatform(const CommandLine &line, const std::function<void()> &start)
{
    Start here{line};
    current = &here;
    here.previous = qInstallMessageHandler(handleMessage);
#ifdef Q_OS_UNIX
    // What the platform's own libraries write themselves (libwayland does,
    // before Qt gives up) goes to a file until the start is over.
    QTemporaryFile held;
    std::fflush(stderr);
    if (held.open() && (here.stderrWas = dup(STDERR_FILENO)) >= 0)
        dup2(held.handle(), STDERR_FILENO);
#endif
    const auto done = qScopeGuard([&] {
        qInstallMessageHandler(here.previous);
        current = nullptr;
#ifdef Q_OS_UNIX
        if (here.stderrWas < 0)
            return;
        std::fflush(stderr);
        dup2(here.stderrWas, STDERR_FILENO);
        close(here.stderrWas);
        held.seek(0);
        const QByteArray written = held.readAll();
        std::fwrite(written.constData(), 1, std::size_t(written.size()), stderr);
#endif
    });
    start();
}

QMap<QString, QString> platformPlugins(const CommandLine &line)
{
    QMap<QString, QString> plugins;
    const auto add = [&plugins](const QJsonObject &metaData, const QString &file) {
        if (!metaData.value(u"IID").toString().startsWith(
                u"org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface"))
            return;
        for (const QJsonValue key : metaData.value(u"MetaData").toObject().value(u"Keys").toArray()) {
            if (!plugins.contains(key.toString().toLower()))
                plugins.insert(key.toString().toLower(), file);
        }
    };
    for (const QStaticPlugin &plugin : QPluginLoader::staticPlugins())
        add(plugin.metaData(), QString());
    // In the order Qt looks, the first of a key being the one it takes.
    QStringList folders{line.pluginFolder.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH")
                                                    : line.pluginFolder};
    for (const QString &path : QCoreApplication::libraryPaths())
        folders.append(path + QStringLiteral("/platforms"));
    for (const QString &folder : std::as_const(folders)) {
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
            add(QPluginLoader(file.filePath()).metaData(), file.filePath());
    }
    return plugins;
}

QString describeFailedStart(const CommandLine &line, const QMap<QString, QString> &plugins, const QString &started,
                            const QString &fatal)
{
    const bool onCommandLine = !line.platform.isEmpty();
    const QString asked = onCommandLine ? line.platform : qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString from = onCommandLine ? QStringLiteral("-platform") : QStringLiteral("QT_QPA_PLATFORM");
    const QString givenBy = asked.isEmpty() ? QString() : QStringLiteral(" (given by %1)").arg(from);
    // Where the plugin itself gave up, Qt's words say why.
    if (!started.isEmpty())
        return QStringLiteral("the Qt platform plugin \"%1\"%2 could not start: %3")
            .arg(started, givenBy, fatal.simplified());
    // Qt tries each plugin asked for ("name:options;name...") in turn, or else
    // its own choice: on Linux X11, after Wayland in a Wayland session.
    QStringList names;
    for (const QString &plugin : asked.split(u';', Qt::SkipEmptyParts))
        names.append(plugin.section(u':', 0, 0).toLower());
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
#ifdef Q_OS_WIN
    if (names.isEmpty())
        names = QStringList{QStringLiteral("windows")};
#endif
    if (names.isEmpty()) {
        names = QStringList{QStringLiteral("xcb")};
        if (!wayland.isEmpty() || qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland")
            names.prepend(QStringLiteral("wayland"));
    }
    QStringList missing;
    QStringList told;
    for (const QString &name : std::as_const(names)) {
        const QString file = plugins.value(name);
        std::optional<QPluginLoader> loader; // a plugin built into the program has no file to load
        if (!file.isEmpty())
            loader.emplace(file);
        if (!plugins.contains(name)) {
            missing.append(QStringLiteral("\"%1\"").arg(name));
        } else if (loader && !loader->load()) {
            told.append(
                QStringLiteral("the Qt platform plugin \"%1\" cannot be loaded: %2").arg(name, loader->errorString()));
        } else if (name == u"xcb") {
            const bool given = !line.display.isEmpty();
            told.append(displayLine("", given ? line.display : qEnvironmentVariable("DISPLAY"),
                                    given ? QStringLiteral("-display") : QStringLiteral("DISPLAY")));
        } else if (name.startsWith(u"wayland")) {
            // A display named by a relative path is in the runtime folder.
            const bool noFolder = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && !QDir::isAbsolutePath(wayland);
            told.append(
                displayLine("Wayland ", wayland, QStringLiteral("WAYLAND_DISPLAY"))
                + (noFolder && !wayland.isEmpty() ? QStringLiteral(": XDG_RUNTIME_DIR is not set") : QString()));
        } else {
            told.append(QStringLiteral("the Qt platform plugin \"%1\"%2 could not start").arg(name, givenBy));
        }
    }
    if (!missing.isEmpty()) {
        const QStringList has = plugins.keys();
        told.prepend(QStringLiteral("no Qt platform plugin %1%2; Qt has: %3")
                         .arg(missing.join(QLatin1StringView(" or ")), givenBy,
                              has.isEmpty() ? QStringLiteral("none") : has.join(QLatin1StringView(", "))));
    }
    return told.join(QLatin1StringView("; "));
}

} // namespace hearthvale
