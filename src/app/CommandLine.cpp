#include "app/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace CommandLine {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            tr("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               tr("Show the version and exit.")};
};

// QApplication's own options (and the X11 platform's), which it takes from
// the same command line once the window starts: accepted here, unlisted.
// Qt's old aliases -title and -icon are left out: --title is ours to give.
const char *const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "qwindowicon", "session", "style", "stylesheet",
    "display", "name", "visual", "qmljsdebugger",
};
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
    parser.setApplicationDescription(
        tr("Lists a folder tree as a paginated print preview, prints it, "
           "or copies it to the clipboard."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 tr("The folder to list; the current folder when none is given."),
                                 QStringLiteral("[FOLDER]"));
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

} // namespace

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
    const QString usage = tr("Usage: foliotrace [options] [FOLDER]");
    if (!parser.parse(decoded))
        return refuse(parser.errorText(), usage);
    if (parser.isSet(options.help))
        return reply(Request::Action::Answer, usage + u'\n' + parser.helpText().section(u'\n', 1));
    if (parser.isSet(options.version))
        return reply(Request::Action::Answer,
                     QStringLiteral("Foliotrace %1\n").arg(QStringLiteral(FOLIOTRACE_VERSION)));

    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return refuse(tr("give one folder at most"), usage);
    Request request;
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
    const int error = errno;
    const QString shown = QString::fromLocal8Bit(folder);
    QString problem;
    if (error == ENOENT)
        problem = tr("\"%1\" does not exist").arg(shown);
    else if (error == ENOTDIR)
        problem = tr("\"%1\" is not a folder").arg(shown);
    else
        problem = tr("cannot open \"%1\": %2").arg(shown, QString::fromLocal8Bit(std::strerror(error)));
    return QStringLiteral("foliotrace: %1\n").arg(problem);
}

} // namespace CommandLine
