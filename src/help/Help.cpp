#include "help/Help.h"

#include "help/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace {

const char kContextIdProperty[] = "helpContextId";
const char kShortcutName[] = "helpContextShortcut";

class ViewerRequestHandler : public HelpRequestHandler
{
public:
    void helpRequest(QWidget *ownerWindow, const QString &helpFile, HelpCommand command, int data) override
    {
        switch (command) {
        case HelpCommand::Contents:
            viewerFor(ownerWindow)->showContents(helpFile);
            break;
        case HelpCommand::Context:
            viewerFor(ownerWindow)->showTopic(helpFile, data);
            break;
        case HelpCommand::Quit:
            // Nothing open is nothing to close.
            if (m_viewer)
                m_viewer->close();
            break;
        }
    }

    HelpViewer *viewer() const { return m_viewer; }

private:
    HelpViewer *viewerFor(QWidget *ownerWindow)
    {
        // A modal window (the start-up window) blocks input to every window
        // outside its own family, so the viewer joins that family while one
        // is up; otherwise it belongs to the owner (the main window).
        QWidget *parent = QApplication::activeModalWidget();
        if (!parent)
            parent = ownerWindow;
        if (!m_viewer) {
            // Closing deletes it; the QPointer notices.
            m_viewer = new HelpViewer(parent);
            m_viewer->setAttribute(Qt::WA_DeleteOnClose);
        } else if (m_viewer->parentWidget() != parent) {
            m_viewer->setParent(parent, m_viewer->windowFlags());
        }
        return m_viewer;
    }

    QPointer<HelpViewer> m_viewer;
};

struct HelpState
{
    QPointer<QWidget> ownerWindow;
    QString helpFile;
    ViewerRequestHandler viewerHandler;
    HelpRequestHandler *handler = nullptr;

    HelpRequestHandler &requests() { return handler ? *handler : viewerHandler; }
};

HelpState &state()
{
    static HelpState helpState;
    return helpState;
}

} // namespace

namespace Help {

QString helpFilePath(const QString &programFolder)
{
    const QString fileName = QStringLiteral("Foliotrace.HLP");
    if (programFolder.trimmed().endsWith(u'/'))
        return programFolder + fileName;
    return programFolder + u'/' + fileName;
}

QString locateHelpFile(const QString &programFolder)
{
    const QString beside = helpFilePath(programFolder);
    if (QFileInfo::exists(beside))
        return beside;
    // FOLIOTRACE_HELP_FROM_PROGRAM: the install's help folder relative to
    // its program folder, so a relocated install still finds it.
    const QString installed
        = helpFilePath(QDir::cleanPath(programFolder + u'/' + QStringLiteral(FOLIOTRACE_HELP_FROM_PROGRAM)));
    return QFileInfo::exists(installed) ? installed : beside;
}

void registerHelpFile(QWidget *ownerWindow)
{
    registerHelpFile(ownerWindow, QApplication::applicationDirPath());
}

void registerHelpFile(QWidget *ownerWindow, const QString &programFolder)
{
    state().ownerWindow = ownerWindow;
    state().helpFile = locateHelpFile(programFolder);
}

QString helpFile()
{
    return state().helpFile;
}

void showContents()
{
    HelpState &s = state();
    s.requests().helpRequest(s.ownerWindow, s.helpFile, HelpCommand::Contents, 0);
}

void showTopic(int contextId)
{
    HelpState &s = state();
    if (s.helpFile.isEmpty())
        return;
    s.requests().helpRequest(s.ownerWindow, s.helpFile, HelpCommand::Context, contextId);
}

void closeViewer()
{
    HelpState &s = state();
    s.requests().helpRequest(s.ownerWindow, s.helpFile, HelpCommand::Quit, 0);
}

void setHelpContextId(QWidget *window, int contextId)
{
    window->setProperty(kContextIdProperty, contextId);
    if (window->findChild<QShortcut *>(QLatin1String(kShortcutName), Qt::FindDirectChildrenOnly))
        return;
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setObjectName(QLatin1String(kShortcutName));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] { showTopic(helpContextId(window)); });
}

int helpContextId(const QWidget *window)
{
    return window ? window->property(kContextIdProperty).toInt() : 0;
}

HelpRequestHandler *setHelpRequestHandler(HelpRequestHandler *handler)
{
    HelpRequestHandler *previous = state().handler;
    state().handler = handler;
    return previous;
}

HelpViewer *helpViewer()
{
    return state().viewerHandler.viewer();
}

} // namespace Help
