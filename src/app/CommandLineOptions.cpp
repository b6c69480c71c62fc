#include "app/CommandLineOptions.h"

namespace CommandLine {

QCommandLineOption valued(const char *name, const char *description, const char *valueName)
{
    return QCommandLineOption(QString::fromLatin1(name), CommandLineText::tr(description),
                              CommandLineText::tr(valueName));
}

QCommandLineOption flag(const char *name, const char *description)
{
    return QCommandLineOption(QString::fromLatin1(name), CommandLineText::tr(description));
}

namespace {

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

} // namespace

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

} // namespace CommandLine
