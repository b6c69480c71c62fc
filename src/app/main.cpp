#include "app/frmMain.h"

#include <QApplication>

#include <cstdio>

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

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Foliotrace"));
    QApplication::setApplicationVersion(QStringLiteral(FOLIOTRACE_VERSION));

    frmMain window;
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
