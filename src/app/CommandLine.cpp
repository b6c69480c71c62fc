#include "app/CommandLine.h"

#include "listing/ListingFormat.h"
#include "print/GridStyle.h"
#include "settings/OptionControls.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace CommandLine {
namespace {

// The texts' context in the translations, as lupdate finds it.
struct CommandLineText
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

QCommandLineOption valued(const char *name, const char *description, const char *valueName)
{
    return QCommandLineOption(QString::fromLatin1(name), CommandLineText::tr(description),
                              CommandLineText::tr(valueName));
}

QCommandLineOption flag(const char *name, const char *description)
{
    return QCommandLineOption(QString::fromLatin1(name), CommandLineText::tr(description));
}

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
    QCommandLineOption format
        = valued("format",
                 QT_TRANSLATE_NOOP("CommandLine", "The format of FILE: pdf, csv, html, json or txt "
                                                  "(else FILE's extension)."),
                 QT_TRANSLATE_NOOP("CommandLine", "FORMAT"));
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
    QCommandLineOption include
        = valued("include",
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
    QCommandLineOption hidden = flag("hidden", QT_TRANSLATE_NOOP("CommandLine", "List the names that start with \".\"."));
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
    QCommandLineOption fileLength = flag("file-length", QT_TRANSLATE_NOOP("CommandLine", "Sizes are the files' lengths."));
    QCommandLineOption linksOnce = flag(
        "links-once", QT_TRANSLATE_NOOP("CommandLine", "A folder's size counts a file of several hard links once."));
    QCommandLineOption noLinksOnce
        = flag("no-links-once", QT_TRANSLATE_NOOP("CommandLine", "A folder's size counts every name of a file."));
    QCommandLineOption sort
        = valued("sort",
                 QT_TRANSLATE_NOOP("CommandLine", "The order within each folder: name, size (largest first), date "
                                                  "(newest first) or extension."),
                 QT_TRANSLATE_NOOP("CommandLine", "ORDER"));

    // The ones that shape a listing, which only --export and --print make.
    QList<const QCommandLineOption *> listing() const
    {
        return {&format,        &depth,          &files,       &noFiles,    &size,      &noSize,      &date,
                &noDate,        &grid,           &dirMark,     &fileMark,   &title,     &widths,      &include,
                &skip,          &matchCase,      &noMatchCase, &hidden,     &noHidden,  &pruneEmpty,  &noPruneEmpty,
                &oneFileSystem, &allFileSystems, &diskUsage,   &fileLength, &linksOnce, &noLinksOnce, &sort};
    }
};

// QApplication's own options (and the X11 platform's), which it takes from
// the same command line once the window starts: accepted here, unlisted.
// Qt's old aliases -title and -icon are left out: --title is ours to give.
// clang-format off
const char *const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "qwindowicon", "session", "style", "stylesheet",
    "display", "name", "visual", "qmljsdebugger"};
// clang-format on
const char *const kQtSwitches[] = {"reverse", "widgetcount", "testability", "nograb", "dograb", "sync"};

void declareQtOptions(QCommandLineParser &parser)
{
    // Qt's are single-dash words ("-style fusion"), not runs of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : kQtSwitches) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void declareOptions(QCommandLineParser &parser, const Options &options)
{
    declareQtOptions(parser);
    parser.setApplicationDescription(CommandLineText::tr("Lists a folder tree as a paginated print preview, prints it, "
                                                         "or copies it to the clipboard."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addOption(options.exportFile);
    parser.addOption(options.print);
    for (const QCommandLineOption *option : options.listing())
        parser.addOption(*option);
    parser.addPositionalArgument(CommandLineText::tr("FOLDER"),
                                 CommandLineText::tr("The folder to list; the current folder when none is given."),
                                 CommandLineText::tr("[FOLDER]"));
}

Request reply(Request::Action action, const QString &text)
{
    Request request;
    request.action = action;
    request.text = text;
    return request;
}

Request refuse(const QString &problem, const QString &usage)
{
    return reply(Request::Action::Refuse, QStringLiteral("foliotrace: %1\n%2\n").arg(problem, usage));
}

// A check value from a pair of switches; a problem when both are given.
QString readSwitch(const QCommandLineParser &parser, const QCommandLineOption &on, const QCommandLineOption &off,
                   std::optional<int> &value)
{
    if (parser.isSet(on) && parser.isSet(off))
        return CommandLineText::tr("--%1 and --%2 contradict each other").arg(on.names().last(), off.names().last());
    if (parser.isSet(on) || parser.isSet(off))
        value = parser.isSet(on) ? 1 : 0;
    return {};
}

// The listing choices; the first problem, or empty.
QString readChoices(const QCommandLineParser &parser, const Options &options, ChoiceOverrides &out)
{
    const std::pair<const QCommandLineOption *, std::optional<bool> *> switches[][2] = {
        {{&options.matchCase, &out.matchCase}, {&options.noMatchCase, nullptr}},
        {{&options.hidden, &out.hidden}, {&options.noHidden, nullptr}},
        {{&options.pruneEmpty, &out.pruneEmpty}, {&options.noPruneEmpty, nullptr}},
        {{&options.oneFileSystem, &out.oneFileSystem}, {&options.allFileSystems, nullptr}},
        {{&options.linksOnce, &out.linksOnce}, {&options.noLinksOnce, nullptr}},
    };
    std::optional<int> sizes;
    for (const auto &pair : switches) {
        std::optional<int> value;
        if (QString problem = readSwitch(parser, *pair[0].first, *pair[1].first, value); !problem.isEmpty())
            return problem;
        if (value)
            *pair[0].second = *value == 1;
    }
    if (QString problem = readSwitch(parser, options.diskUsage, options.fileLength, sizes); !problem.isEmpty())
        return problem;
    if (sizes)
        out.sizes = *sizes == 1 ? SizeMeasure::DiskUsage : SizeMeasure::Length;
    for (auto [option, patterns] : {std::pair{&options.include, &out.include}, std::pair{&options.skip, &out.skip}}) {
        if (!parser.isSet(*option))
            continue;
        *patterns = ListingChoiceText::splitPatterns(parser.value(*option));
        if (const QString problem = ListingChoiceText::patternsProblem(**patterns); !problem.isEmpty())
            return CommandLineText::tr("--%1: %2").arg(option->names().last(), problem);
    }
    if (parser.isSet(options.sort)) {
        out.order = ListingChoiceText::orderFromWord(parser.value(options.sort));
        if (!out.order)
            return CommandLineText::tr("--sort takes name, size, date or extension, not \"%1\"").arg(parser.value(options.sort));
    }
    return {};
}

// The options that shape the listing; the first problem, or empty.
QString readOverrides(const QCommandLineParser &parser, const Options &options, OptionOverrides &out)
{
    for (const QString &problem : {readSwitch(parser, options.files, options.noFiles, out.files),
                                   readSwitch(parser, options.size, options.noSize, out.size),
                                   readSwitch(parser, options.date, options.noDate, out.date)}) {
        if (!problem.isEmpty())
            return problem;
    }
    if (parser.isSet(options.depth)) {
        const QString depth = parser.value(options.depth);
        bool ok = false;
        const bool digits = !depth.isEmpty() && depth.front() >= u'0' && depth.front() <= u'9';
        const uint levels = depth.toUInt(&ok);
        if (!digits || !ok || levels < 1 || levels > uint(ListingFormat::MaxDepth))
            return CommandLineText::tr("--depth takes a whole number from 1 to %1, not \"%2\"")
                .arg(QString::number(ListingFormat::MaxDepth), depth);
        out.depth = depth;
    }
    if (parser.isSet(options.grid)) {
        const std::optional<GridStyle> grid = GridStyles::fromWord(parser.value(options.grid));
        if (!grid)
            return CommandLineText::tr("--grid takes none, rows, top-bottom or all, not \"%1\"")
                .arg(parser.value(options.grid));
        out.grid = GridStyles::position(*grid);
    }
    if (parser.isSet(options.widths)) {
        const QStringList widths = parser.value(options.widths).split(u',');
        // Digits with at most one point: what the width boxes read in full.
        const auto isWidth = [](const QString &text) {
            const QString width = text.trimmed();
            const auto allowed = [](QChar c) { return c == u'.' || (c >= u'0' && c <= u'9'); };
            return width.count(u'.') <= 1 && width.size() > width.count(u'.')
                   && std::all_of(width.begin(), width.end(), allowed);
        };
        if (widths.size() != 3 || !std::all_of(widths.begin(), widths.end(), isWidth))
            return CommandLineText::tr("--widths takes three widths in twips, as 4000,1000,1000, not \"%1\"")
                .arg(parser.value(options.widths));
        out.widths = {widths[0].trimmed(), widths[1].trimmed(), widths[2].trimmed()};
    }
    for (auto [option, value] : {std::pair{&options.dirMark, &out.dirMark}, std::pair{&options.fileMark, &out.fileMark},
                                 std::pair{&options.title, &out.title}}) {
        if (parser.isSet(*option))
            *value = parser.value(*option);
    }
    return readChoices(parser, options, out.choices);
}

// --export FILE or --print; the first problem, or empty.
QString readOutput(const QCommandLineParser &parser, const Options &options, Request &request)
{
    const bool exporting = parser.isSet(options.exportFile);
    if (exporting && parser.isSet(options.print))
        return CommandLineText::tr("give --export or --print, not both");
    if (!exporting && !parser.isSet(options.print)) {
        for (const QCommandLineOption *option : options.listing()) {
            if (parser.isSet(*option))
                return CommandLineText::tr("--%1 needs --export or --print").arg(option->names().first());
        }
        return {};
    }
    request.action = exporting ? Request::Action::Export : Request::Action::Print;
    if (parser.positionalArguments().isEmpty())
        return CommandLineText::tr("give the folder to list");
    if (!exporting) {
        if (parser.isSet(options.format))
            return CommandLineText::tr("--format needs --export");
        return readOverrides(parser, options, request.overrides);
    }
    request.exportFile = parser.value(options.exportFile);
    const bool toOutput = request.exportFile == QLatin1String("-");
    const QString formatText = parser.value(options.format);
    std::optional<ExportFormat> format
        = parser.isSet(options.format) ? ExportFormats::named(formatText) : ExportFormats::ofFile(request.exportFile);
    if (!format && parser.isSet(options.format))
        return CommandLineText::tr("--format takes pdf, csv, html, json or txt, not \"%1\"").arg(formatText);
    if (!format && !toOutput)
        return CommandLineText::tr("cannot tell the format of \"%1\" by its name; give --format")
            .arg(request.exportFile);
    request.format = format.value_or(ExportFormat::Text);
    if (toOutput && request.format == ExportFormat::Pdf)
        return CommandLineText::tr("a PDF cannot go to standard output; give a file name");
    return readOverrides(parser, options, request.overrides);
}

QString folderProblem(const QByteArray &folder, int error)
{
    const QString shown = QString::fromLocal8Bit(folder);
    QString problem;
    if (error == ENOENT)
        problem = CommandLineText::tr("\"%1\" does not exist").arg(shown);
    else if (error == ENOTDIR)
        problem = CommandLineText::tr("\"%1\" is not a folder").arg(shown);
    else
        problem
            = CommandLineText::tr("cannot open \"%1\": %2").arg(shown, QString::fromLocal8Bit(std::strerror(error)));
    return QStringLiteral("foliotrace: %1\n").arg(problem);
}

} // namespace

void OptionOverrides::applyTo(OptionControls &controls) const
{
    for (auto [check, value] : {std::pair{OptionCheck::Files, files}, std::pair{OptionCheck::Size, size},
                                std::pair{OptionCheck::Date, date}}) {
        if (value)
            controls.setCheckValue(check, *value);
    }
    if (depth)
        controls.setDepthText(*depth);
    if (grid)
        controls.setGridListIndex(*grid);
    if (dirMark)
        controls.setOptionText(OptionText::DirMark, *dirMark);
    if (fileMark)
        controls.setOptionText(OptionText::FileMark, *fileMark);
    if (widths) {
        controls.setOptionText(OptionText::DirColWidth, widths->at(0));
        controls.setOptionText(OptionText::SizeColWidth, widths->at(1));
        controls.setOptionText(OptionText::DateColWidth, widths->at(2));
    }
    ListingChoices given = controls.listingChoices();
    choices.applyTo(given);
    controls.setListingChoices(given);
}

void ChoiceOverrides::applyTo(ListingChoices &choices) const
{
    choices.include = include.value_or(choices.include);
    choices.skip = skip.value_or(choices.skip);
    choices.matchCase = matchCase.value_or(choices.matchCase);
    choices.hidden = hidden.value_or(choices.hidden);
    choices.pruneEmpty = pruneEmpty.value_or(choices.pruneEmpty);
    choices.oneFileSystem = oneFileSystem.value_or(choices.oneFileSystem);
    choices.sizes = sizes.value_or(choices.sizes);
    choices.linksOnce = linksOnce.value_or(choices.linksOnce);
    choices.order = order.value_or(choices.order);
}

Request parse(const QList<QByteArray> &arguments)
{
    QStringList decoded;
    for (const QByteArray &argument : arguments)
        decoded.append(QString::fromLocal8Bit(argument));

    QCommandLineParser parser;
    const Options options;
    declareOptions(parser, options);
    // In place of the help text's first line, which names the program by
    // whatever path started it.
    const QString usage = CommandLineText::tr("Usage: foliotrace [options] [FOLDER]\n"
                                              "       foliotrace --export FILE [options] FOLDER\n"
                                              "       foliotrace --print [options] FOLDER");
    if (!parser.parse(decoded))
        return refuse(parser.errorText(), usage);
    if (parser.isSet(options.help))
        return reply(Request::Action::Answer, usage + u'\n' + parser.helpText().section(u'\n', 1));
    if (parser.isSet(options.version))
        return reply(Request::Action::Answer,
                     QStringLiteral("Foliotrace %1\n").arg(QStringLiteral(FOLIOTRACE_VERSION)));

    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return refuse(CommandLineText::tr("give one folder at most"), usage);
    Request request;
    if (const QString problem = readOutput(parser, options, request); !problem.isEmpty())
        return refuse(problem, usage);
    request.platformGiven = parser.isSet(QStringLiteral("platform"));
    if (!folders.isEmpty()) {
        // Taken from the argument it was decoded from, so a name that is no
        // valid text still opens. Arguments that decode alike differ at most in
        // such bytes.
        request.folder = arguments.at(decoded.lastIndexOf(folders.first()));
    }
    return request;
}

QString enterFolder(const QByteArray &folder)
{
    if (::chdir(folder.constData()) == 0)
        return {};
    return folderProblem(folder, errno);
}

QString resolveFolder(const QByteArray &folder, QByteArray &absolute)
{
    char resolved[PATH_MAX];
    struct stat info;
    if (!::realpath(folder.constData(), resolved))
        return folderProblem(folder, errno);
    if (::stat(resolved, &info) != 0)
        return folderProblem(folder, errno);
    if (!S_ISDIR(info.st_mode))
        return folderProblem(folder, ENOTDIR);
    absolute = resolved;
    return {};
}

} // namespace CommandLine
