#pragma once

// The command line's options, declared once: what parse() reads and what
// --help shows. Internal to the app library.

#include "export/ExportFormat.h"
#include "listing/ListingFormat.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>

namespace CommandLine {

// The texts' context in the translations, as lupdate finds it.
struct CommandLineText
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// An option with a value, and a switch; description and valueName are
// marked for translation with QT_TRANSLATE_NOOP("CommandLine", ...).
QCommandLineOption valued(const char *name, const char *description, const char *valueName);
QCommandLineOption flag(const char *name, const char *description);

struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            CommandLineText::tr("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               CommandLineText::tr("Show the version and exit.")};
    QCommandLineOption exportFile
        = valued("export",
                 QT_TRANSLATE_NOOP("CommandLine", "Write the listing to FILE (- for standard output) "
                                                  "without a window."),
                 QT_TRANSLATE_NOOP("CommandLine", "FILE"));
    QCommandLineOption format{
        QStringLiteral("format"),
        CommandLineText::tr("The format of FILE: %1 (else FILE's extension).").arg(ExportFormats::nameList()),
        CommandLineText::tr("FORMAT")};
    QCommandLineOption print
        = flag("print", QT_TRANSLATE_NOOP("CommandLine", "Send the listing to the default printer without a window."));
    QCommandLineOption depth{QStringLiteral("depth"),
                             CommandLineText::tr("List N levels of sub-folders, 1 to %1.").arg(ListingFormat::MaxDepth),
                             CommandLineText::tr("N")};
    QCommandLineOption files = flag("files", QT_TRANSLATE_NOOP("CommandLine", "List the files too."));
    QCommandLineOption noFiles = flag("no-files", QT_TRANSLATE_NOOP("CommandLine", "List the folders only."));
    QCommandLineOption size = flag("size", QT_TRANSLATE_NOOP("CommandLine", "Show the size column."));
    QCommandLineOption noSize = flag("no-size", QT_TRANSLATE_NOOP("CommandLine", "Hide the size column."));
    QCommandLineOption date = flag("date", QT_TRANSLATE_NOOP("CommandLine", "Show the date column."));
    QCommandLineOption noDate = flag("no-date", QT_TRANSLATE_NOOP("CommandLine", "Hide the date column."));
    QCommandLineOption grid
        = valued("grid", QT_TRANSLATE_NOOP("CommandLine", "Grid lines: none, rows, top-bottom or all."),
                 QT_TRANSLATE_NOOP("CommandLine", "STYLE"));
    QCommandLineOption dirMark
        = valued("dir-mark", QT_TRANSLATE_NOOP("CommandLine", "The mark in front of folder names."),
                 QT_TRANSLATE_NOOP("CommandLine", "TEXT"));
    QCommandLineOption fileMark
        = valued("file-mark", QT_TRANSLATE_NOOP("CommandLine", "The mark in front of file names."),
                 QT_TRANSLATE_NOOP("CommandLine", "TEXT"));
    QCommandLineOption title = valued("title", QT_TRANSLATE_NOOP("CommandLine", "The title above the table."),
                                      QT_TRANSLATE_NOOP("CommandLine", "TEXT"));
    QCommandLineOption widths = valued("widths", QT_TRANSLATE_NOOP("CommandLine", "The three column widths in twips."),
                                       QT_TRANSLATE_NOOP("CommandLine", "NAME,SIZE,DATE"));
    QCommandLineOption include = valued(
        "include",
        QT_TRANSLATE_NOOP("CommandLine", "List only the files whose names match one of PATTERNS, glob "
                                         "patterns separated by \";\" (\"*.jpg; *.png\"); \"\" lists every file."),
        QT_TRANSLATE_NOOP("CommandLine", "PATTERNS"));
    QCommandLineOption skip
        = valued("skip",
                 QT_TRANSLATE_NOOP("CommandLine", "Leave out the files and folders whose names match one of "
                                                  "PATTERNS; a folder left out is not entered."),
                 QT_TRANSLATE_NOOP("CommandLine", "PATTERNS"));
    QCommandLineOption matchCase
        = flag("match-case", QT_TRANSLATE_NOOP("CommandLine", "Patterns tell capitals from small letters."));
    QCommandLineOption noMatchCase
        = flag("no-match-case", QT_TRANSLATE_NOOP("CommandLine", "Patterns take capitals and small letters alike."));
    QCommandLineOption hidden
        = flag("hidden", QT_TRANSLATE_NOOP("CommandLine", "List the names that start with \".\"."));
    QCommandLineOption noHidden
        = flag("no-hidden", QT_TRANSLATE_NOOP("CommandLine", "Leave out the names that start with \".\"."));
    QCommandLineOption pruneEmpty = flag(
        "prune-empty", QT_TRANSLATE_NOOP("CommandLine", "Leave out folders with no file listed at any depth below."));
    QCommandLineOption noPruneEmpty
        = flag("no-prune-empty", QT_TRANSLATE_NOOP("CommandLine", "List folders with nothing listed below too."));
    QCommandLineOption oneFileSystem{
        {QStringLiteral("x"), QStringLiteral("one-file-system")},
        CommandLineText::tr("List the mount points of other file systems without entering them.")};
    QCommandLineOption allFileSystems
        = flag("no-one-file-system", QT_TRANSLATE_NOOP("CommandLine", "Enter the file systems mounted below."));
    QCommandLineOption diskUsage
        = flag("disk-usage", QT_TRANSLATE_NOOP("CommandLine", "Sizes are the space on disk, as du counts it."));
    QCommandLineOption fileLength
        = flag("file-length", QT_TRANSLATE_NOOP("CommandLine", "Sizes are the files' lengths."));
    QCommandLineOption linksOnce = flag(
        "links-once", QT_TRANSLATE_NOOP("CommandLine", "A folder's size counts a file of several hard links once."));
    QCommandLineOption noLinksOnce
        = flag("no-links-once", QT_TRANSLATE_NOOP("CommandLine", "A folder's size counts every name of a file."));
    QCommandLineOption sort
        = valued("sort",
                 QT_TRANSLATE_NOOP("CommandLine", "The order within each folder: name, size (largest first), date "
                                                  "(newest first) or extension."),
                 QT_TRANSLATE_NOOP("CommandLine", "ORDER"));
    QCommandLineOption columns
        = valued("columns",
                 QT_TRANSLATE_NOOP("CommandLine", "More columns, comma-separated: files, folders, time, owner, "
                                                  "permissions, created, path; \"\" for none."),
                 QT_TRANSLATE_NOOP("CommandLine", "WORDS"));
    QCommandLineOption totals
        = flag("totals", QT_TRANSLATE_NOOP("CommandLine", "A line of totals under the table (folders, files, KB)."));
    QCommandLineOption noTotals = flag("no-totals", QT_TRANSLATE_NOOP("CommandLine", "No line of totals."));
    QCommandLineOption compare
        = valued("compare",
                 QT_TRANSLATE_NOOP("CommandLine",
                                   "Compare the folder with LISTING, a JSON listing saved earlier: a Change column "
                                   "says what was added, removed or changed since."),
                 QT_TRANSLATE_NOOP("CommandLine", "LISTING"));
    QCommandLineOption changesOnly = flag(
        "changes-only",
        QT_TRANSLATE_NOOP("CommandLine", "With --compare, list only what changed and the folders leading to it."));
    QCommandLineOption paper = valued(
        "paper", QT_TRANSLATE_NOOP("CommandLine", "The paper: A4, Letter, Legal, A3, … (else the default printer's)."),
        QT_TRANSLATE_NOOP("CommandLine", "NAME"));
    QCommandLineOption landscape
        = flag("landscape", QT_TRANSLATE_NOOP("CommandLine", "Lay the pages out across the paper."));
    QCommandLineOption portrait = flag("portrait", QT_TRANSLATE_NOOP("CommandLine", "Lay the pages out upright."));
    QCommandLineOption fitWidth
        = flag("fit-width", QT_TRANSLATE_NOOP("CommandLine", "Fit the columns to the page width."));
    QCommandLineOption noFitWidth
        = flag("no-fit-width", QT_TRANSLATE_NOOP("CommandLine", "Keep the column widths as they are."));
    QCommandLineOption textSize = valued(
        "text-size", QT_TRANSLATE_NOOP("CommandLine", "The table's text, 80 to 150 percent of its usual 8 and 10 pt."),
        QT_TRANSLATE_NOOP("CommandLine", "PERCENT"));
    QCommandLineOption printer
        = valued("printer", QT_TRANSLATE_NOOP("CommandLine", "Print on NAME, not on the default printer."),
                 QT_TRANSLATE_NOOP("CommandLine", "NAME"));
    QCommandLineOption copies
        = valued("copies", QT_TRANSLATE_NOOP("CommandLine", "Print N copies."), QT_TRANSLATE_NOOP("CommandLine", "N"));
    QCommandLineOption pages
        = valued("pages", QT_TRANSLATE_NOOP("CommandLine", "Print only these pages, as lp -P takes them (1-3,7,9-)."),
                 QT_TRANSLATE_NOOP("CommandLine", "RANGE"));

    // The ones that shape the pages, which only --print and a PDF have.
    QList<const QCommandLineOption *> page() const
    {
        return {&paper, &landscape, &portrait, &fitWidth, &noFitWidth, &textSize};
    }
    // The ones of a print job.
    QList<const QCommandLineOption *> job() const { return {&printer, &copies, &pages}; }
    // The ones that shape a listing, which only --export and --print make.
    QList<const QCommandLineOption *> listing() const
    {
        return QList<const QCommandLineOption *>{
                   &format,        &depth,          &files,       &noFiles,    &size,       &noSize,      &date,
                   &noDate,        &grid,           &dirMark,     &fileMark,   &title,      &widths,      &include,
                   &skip,          &matchCase,      &noMatchCase, &hidden,     &noHidden,   &pruneEmpty,  &noPruneEmpty,
                   &oneFileSystem, &allFileSystems, &diskUsage,   &fileLength, &linksOnce,  &noLinksOnce, &sort,
                   &columns,       &totals,         &noTotals,    &compare,    &changesOnly}
               + page() + job();
    }
};

// Qt's own options (accepted, unlisted), then ours, in the order --help lists them.
void declareOptions(QCommandLineParser &parser, const Options &options);

} // namespace CommandLine
