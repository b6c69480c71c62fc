#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// What the command line asks for, decided before any window exists.
// Options are declared in declareOptions() and read in parse(), so a new
// one joins in those two places.
namespace CommandLine {

enum class ExitStatus { Success = 0, Failed = 1, BadArguments = 2 };

struct Request
{
    enum class Action {
        StartWindow,  // the program as usual, on folder
        Answer,       // text for standard output, then exit 0 (--help, --version)
        Refuse,       // text for standard error, then exit 2
    };
    Action action = Action::StartWindow;
    QString text;
    // The folder to start in, in the bytes it was given as, so any file
    // name round-trips; none for the current folder.
    std::optional<QByteArray> folder;
    // StartWindow: -platform tells Qt where to show the window, so the
    // window needs no DISPLAY.
    bool platformGiven = false;
};

// arguments: the program's arguments as the system gave them, the program
// name first. Needs no QCoreApplication, so it answers without a display.
Request parse(const QList<QByteArray> &arguments);

// Makes folder the process's current folder, where the folder list starts.
// Returns the line to report when it cannot, empty on success.
QString enterFolder(const QByteArray &folder);

} // namespace CommandLine
