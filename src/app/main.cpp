#include "app/CommandLine.h"
#include "app/CommandRun.h"
#include "app/Translations.h"
#include "app/frmMain.h"
#include "settings/OptionStore.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

Q_LOGGING_CATEGORY(lcApp, "foliotrace.app")

namespace {

// Handlers report their own failures; this is the last net, so that an
// exception never unwinds through Qt's event loop and ends the program.
class Application : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &error) {
            report(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            report(QCoreApplication::translate("frmMain", "An unexpected error occurred."));
        }
        return false;
    }

private:
    static void report(const QString &text)
    {
        qCWarning(lcApp) << "unhandled error:" << text;
        while (overrideCursor())
            restoreOverrideCursor();
        QMessageBox::warning(activeWindow(), QStringLiteral("Foliotrace"), text);
    }
};

void setIdentity()
{
    QCoreApplication::setOrganizationName(settingsOrganisation());
    QCoreApplication::setApplicationName(settingsApplication());
    QCoreApplication::setApplicationVersion(QStringLiteral(FOLIOTRACE_VERSION));
}

// Set while Qt starts without a window: a failure then is one line and
// status 1, not an abort.
bool g_starting = false;

// A script reads standard error: Qt's own notes about the desktop it runs
// in (no XDG_RUNTIME_DIR, say) would only bury the one line that matters.
void keepOurMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg && g_starting) {
        const QString reason = message.section(u'\n', 0, 0);
        std::fputs(qPrintable(QStringLiteral("foliotrace: cannot start: %1\n").arg(reason)), stderr);
        std::_Exit(int(CommandLine::ExitStatus::Failed));
    }
    const bool ours = context.category && std::strncmp(context.category, "foliotrace", 10) == 0;
    if (ours || type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

// No window, and no display needed, whatever the environment or -platform
// says: pages are composed on Qt's offscreen platform, and the text formats
// need no platform at all.
CommandLine::ExitStatus runHeadless(const CommandLine::Request &request, int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<char *> arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if ((argument == "-platform" || argument == "--platform") && i + 1 < argc)
            ++i;
        else
            arguments.push_back(argv[i]);
    }
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    qInstallMessageHandler(keepOurMessages);
    g_starting = true;
    if (runComposesPages(request)) {
        QGuiApplication app(count, arguments.data());
        g_starting = false;
        setIdentity();
        Translations::install();
        return runWithoutWindow(request);
    }
    QCoreApplication app(count, arguments.data());
    g_starting = false;
    setIdentity();
    Translations::install();
    return runWithoutWindow(request);
}

// What the command line asks for, and the lines that may refuse a start, in
// the user's language.
struct Reading
{
    CommandLine::Request request;
    QString folderProblem;
    QString noDisplay;
};

// Read before any display is needed; the application object here only
// carries the translations, and ends before the real one starts.
Reading readCommandLine(int argc, char **argv)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    int count = argc;
    const QCoreApplication reading(count, argv);
    Translations::install();
    Reading read{CommandLine::parse(arguments), {}, {}};
    if (read.request.action == CommandLine::Request::Action::StartWindow && read.request.folder)
        read.folderProblem = CommandLine::enterFolder(*read.request.folder);
    read.noDisplay = QCoreApplication::translate("CommandLine", "foliotrace: no display available (set DISPLAY or "
                                                                "WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen)\n");
    return read;
}

} // namespace

int main(int argc, char *argv[])
{
    using CommandLine::ExitStatus;
    using CommandLine::Request;
    // Before QApplication, so that --help, --version and bad arguments need
    // no display.
    const Reading read = readCommandLine(argc, argv);
    const Request &request = read.request;
    switch (request.action) {
    case Request::Action::Answer:
        std::fputs(qPrintable(request.text), stdout);
        return int(ExitStatus::Success);
    case Request::Action::Refuse:
        std::fputs(qPrintable(request.text), stderr);
        return int(ExitStatus::BadArguments);
    case Request::Action::Export:
    case Request::Action::Print:
        return int(runHeadless(request, argc, argv));
    case Request::Action::StartWindow:
        break;
    }
    if (!read.folderProblem.isEmpty()) {
        std::fputs(qPrintable(read.folderProblem), stderr);
        return int(ExitStatus::BadArguments);
    }

    // Without a display QApplication would abort with a long plugin message;
    // say what is missing in one line instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !request.platformGiven) {
        std::fputs(qPrintable(read.noDisplay), stderr);
        return int(ExitStatus::Failed);
    }

    Application app(argc, argv);
    setIdentity();
    Translations::install();
    // Ties the window to the installed desktop entry (its icon on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("example.brambleworks.Foliotrace"));

    // The folder list starts at the current folder, now the one given.
    frmMain window;
    // "Exit" in the start-up window: return, so that QApplication's teardown
    // still hands a listing copied earlier to the clipboard manager.
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
