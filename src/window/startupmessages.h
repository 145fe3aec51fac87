#pragma once

// What is written while Qt starts its platform.
//
// Where Qt cannot open a display or find the platform plugin asked for, it
// writes lines of advice (the Wayland library its own as well), then aborts.
// Instead, Qt's messages are held back while it starts, and so, on Unix, is
// everything else written to stderr; a fatal message ends the program with
// status 1 and one line that says why, worked out from what was asked (the
// command line and the environment) and the platform plugins Qt has. After a
// start that succeeds, what was held goes out after all.

#include <QMap>
#include <QString>

#include <functional>

namespace hearthvale {

struct CommandLine;

// Runs start, which makes the application object, as above.
void startPlatform(const CommandLine &line, const std::function<void()> &start);

// The platform plugins Qt has, by key, each with its file (empty for one
// built into the program).
QMap<QString, QString> platformPlugins(const CommandLine &line);

// Why the platform could not start. started: the plugin that had started
// when Qt gave up, if any; fatal: Qt's message.
QString describeFailedStart(const CommandLine &line, const QMap<QString, QString> &plugins, const QString &started,
                            const QString &fatal);

} // namespace hearthvale
