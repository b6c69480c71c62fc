#include "app/frmMain.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>

#include <cstdio>
#include <exception>

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
            report(tr("An unexpected error occurred."));
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

} // namespace

int main(int argc, char *argv[])
{
    // Without a display QApplication would abort with a long plugin message;
    // say what is missing in one line instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("foliotrace: no display available (set DISPLAY or WAYLAND_DISPLAY, "
                   "or QT_QPA_PLATFORM=offscreen)\n",
                   stderr);
        return 1;
    }

    Application app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Foliotrace"));
    QApplication::setApplicationName(QStringLiteral("Foliotrace"));
    QApplication::setApplicationVersion(QStringLiteral(FOLIOTRACE_VERSION));

    frmMain window;
    // "Exit" in the start-up window: return, so that QApplication's teardown
    // still hands a listing copied earlier to the clipboard manager.
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
