#pragma once

#include "export/ListingExport.h"
#include "listing/ListingChoices.h"
#include "print/PageSetup.h"
#include "print/PrintJob.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class OptionControls;

// What the command line asks for, decided before any window exists.
// Options are declared in declareOptions() and read in parse(), so a new
// one joins in those two places.
namespace CommandLine {

enum class ExitStatus { Success = 0, Failed = 1, BadArguments = 2 };

// The listing choices given; the others keep their stored values.
struct ChoiceOverrides
{
    std::optional<QStringList> include;
    std::optional<QStringList> skip;
    std::optional<bool> matchCase;
    std::optional<bool> hidden;
    std::optional<bool> pruneEmpty;
    std::optional<bool> oneFileSystem;
    std::optional<SizeMeasure> sizes;
    std::optional<bool> linksOnce;
    std::optional<ListingOrder> order;
    std::optional<QList<ListingColumn>> columns;
    std::optional<bool> totals;

    void applyTo(ListingChoices &choices) const;
};

// Options given for one listing; the others keep their stored values.
struct OptionOverrides
{
    std::optional<int> files; // check values, 0 or 1
    std::optional<int> size;
    std::optional<int> date;
    std::optional<QString> depth; // a whole number from 1 up
    std::optional<int> grid;      // position in the grid list, 0..3
    std::optional<QString> dirMark;
    std::optional<QString> fileMark;
    std::optional<QString> title;
    std::optional<std::array<QString, 3>> widths;
    ChoiceOverrides choices;
    std::optional<QString> compare; // the earlier listing to compare with
    bool changesOnly = false;
    // The page setup's, for --print and a PDF.
    std::optional<QPageSize> paper;
    std::optional<QPageLayout::Orientation> orientation;
    std::optional<bool> fitWidth;
    std::optional<int> textPercent;

    // Sets the given ones on controls; the title is no control.
    void applyTo(OptionControls &controls) const;
    void applyTo(PageSetup &setup) const;
};

struct Request
{
    enum class Action {
        StartWindow, // the program as usual, on folder
        Export,      // the listing of folder into exportFile, no window
        Print,       // the listing of folder to the default printer, no window
        Answer,      // text for standard output, then exit 0 (--help, --version)
        Refuse,      // text for standard error, then exit 2
    };
    Action action = Action::StartWindow;
    QString text;
    // The folder to start in or to list, in the bytes it was given as, so
    // any file name round-trips; none for the current folder.
    std::optional<QByteArray> folder;
    // -platform tells Qt where to show the window, so the window needs no DISPLAY.
    bool platformGiven = false;
    // Export: the file, "-" for standard output, and its format.
    QString exportFile;
    ExportFormat format = ExportFormat::Text;
    OptionOverrides overrides;
    // Print: the printer, copies and pages asked for.
    PrintJob job;
};

// arguments: the program's arguments as the system gave them, the program
// name first. Needs no QCoreApplication, so it answers without a display.
Request parse(const QList<QByteArray> &arguments);

// Makes folder the process's current folder, where the folder list starts.
// Returns the line to report when it cannot, empty on success.
QString enterFolder(const QByteArray &folder);

// The folder to list as an absolute path with no links, "." or ".." left
// in absolute; the line to report when there is no such folder.
QString resolveFolder(const QByteArray &folder, QByteArray &absolute);

} // namespace CommandLine
