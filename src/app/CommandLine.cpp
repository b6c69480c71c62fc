#include "app/CommandLine.h"
#include "app/CommandLineOptions.h"

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
        {{&options.totals, &out.totals}, {&options.noTotals, nullptr}},
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
            return CommandLineText::tr("--sort takes name, size, date or extension, not \"%1\"")
                .arg(parser.value(options.sort));
    }
    if (parser.isSet(options.columns)) {
        QString bad;
        out.columns = ListingColumns::fromWords(parser.value(options.columns), &bad);
        if (!out.columns)
            return CommandLineText::tr("--columns takes files, folders, time, owner, permissions, created and path, "
                                       "not \"%1\"")
                .arg(bad);
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
    if (parser.isSet(options.compare))
        out.compare = parser.value(options.compare);
    out.changesOnly = parser.isSet(options.changesOnly);
    if (out.changesOnly && !out.compare)
        return CommandLineText::tr("--changes-only needs --compare");
    return readChoices(parser, options, out.choices);
}

// A whole number from low to high, of digits only.
std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    const uint value = text.toUInt(&ok);
    return digits && ok && value >= uint(low) && value <= uint(high) ? std::optional(int(value)) : std::nullopt;
}

// The options that shape the pages; the first problem, or empty.
QString readPageOptions(const QCommandLineParser &parser, const Options &options, OptionOverrides &out)
{
    std::optional<int> landscape;
    std::optional<int> fit;
    for (const QString &problem : {readSwitch(parser, options.landscape, options.portrait, landscape),
                                   readSwitch(parser, options.fitWidth, options.noFitWidth, fit)}) {
        if (!problem.isEmpty())
            return problem;
    }
    if (landscape)
        out.orientation = *landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (fit)
        out.fitWidth = *fit == 1;
    if (parser.isSet(options.paper)) {
        out.paper = PageSetups::paperNamed(parser.value(options.paper));
        if (!out.paper)
            return CommandLineText::tr("--paper takes a paper's name, as A4, Letter or Legal, not \"%1\"")
                .arg(parser.value(options.paper));
    }
    if (parser.isSet(options.textSize)) {
        out.textPercent
            = wholeNumber(parser.value(options.textSize), PageSetup::MinTextPercent, PageSetup::MaxTextPercent);
        if (!out.textPercent) {
            return CommandLineText::tr("--text-size takes a whole number from %1 to %2, not \"%3\"")
                .arg(PageSetup::MinTextPercent)
                .arg(PageSetup::MaxTextPercent)
                .arg(parser.value(options.textSize));
        }
    }
    return {};
}

// --printer, --copies and --pages; the first problem, or empty.
QString readJob(const QCommandLineParser &parser, const Options &options, PrintJob &job)
{
    constexpr int MostCopies = 999;
    job.printer = parser.value(options.printer);
    if (parser.isSet(options.printer) && job.printer.isEmpty())
        return CommandLineText::tr("--printer takes a printer's name");
    if (parser.isSet(options.copies)) {
        const std::optional<int> copies = wholeNumber(parser.value(options.copies), 1, MostCopies);
        if (!copies)
            return CommandLineText::tr("--copies takes a whole number from 1 to %1, not \"%2\"")
                .arg(MostCopies)
                .arg(parser.value(options.copies));
        job.copies = *copies;
    }
    job.pageRanges = parser.value(options.pages);
    if (parser.isSet(options.pages) && !PrintJobs::parsePageRanges(job.pageRanges))
        return CommandLineText::tr("--pages takes pages as lp -P does, as 1-3,7 or 9-, not \"%1\"").arg(job.pageRanges);
    return {};
}

// The first of these options given, or none.
const QCommandLineOption *firstGiven(const QCommandLineParser &parser, const QList<const QCommandLineOption *> &some)
{
    const auto given
        = std::find_if(some.begin(), some.end(), [&](const auto *option) { return parser.isSet(*option); });
    return given == some.end() ? nullptr : *given;
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
        for (const QString &problem :
             {readOverrides(parser, options, request.overrides), readPageOptions(parser, options, request.overrides),
              readJob(parser, options, request.job)}) {
            if (!problem.isEmpty())
                return problem;
        }
        return {};
    }
    if (const QCommandLineOption *job = firstGiven(parser, options.job()))
        return CommandLineText::tr("--%1 needs --print").arg(job->names().first());
    request.exportFile = parser.value(options.exportFile);
    const bool toOutput = request.exportFile == QLatin1String("-");
    const QString formatText = parser.value(options.format);
    std::optional<ExportFormat> format
        = parser.isSet(options.format) ? ExportFormats::named(formatText) : ExportFormats::ofFile(request.exportFile);
    if (!format && parser.isSet(options.format))
        return CommandLineText::tr("--format takes %1, not \"%2\"").arg(ExportFormats::nameList(), formatText);
    if (!format && !toOutput)
        return CommandLineText::tr("cannot tell the format of \"%1\" by its name; give --format")
            .arg(request.exportFile);
    request.format = format.value_or(ExportFormat::Text);
    if (toOutput && request.format == ExportFormat::Pdf)
        return CommandLineText::tr("a PDF cannot go to standard output; give a file name");
    const QCommandLineOption *page = firstGiven(parser, options.page());
    if (page && request.format != ExportFormat::Pdf)
        return CommandLineText::tr("--%1 shapes pages, which only --print and a PDF have").arg(page->names().first());
    if (const QString problem = readOverrides(parser, options, request.overrides); !problem.isEmpty())
        return problem;
    return readPageOptions(parser, options, request.overrides);
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
    choices.columns = columns.value_or(choices.columns);
    choices.totals = totals.value_or(choices.totals);
}

void OptionOverrides::applyTo(PageSetup &setup) const
{
    if (paper)
        setup.paper = *paper;
    setup.orientation = orientation.value_or(setup.orientation);
    setup.fitWidth = fitWidth.value_or(setup.fitWidth);
    setup.textPercent = textPercent.value_or(setup.textPercent);
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
