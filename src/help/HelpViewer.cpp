#include "help/HelpViewer.h"

#include "help/Artwork.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setWindowTitle(tr("Foliotrace Help"));
    setWindowIcon(::windowIcon());
    m_browser->setOpenExternalLinks(true);
    // Tab moves between the links, Enter follows one.
    m_browser->setTextInteractionFlags(Qt::TextBrowserInteraction);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The help file is written in English only: said so in the user's language.
    if (const QString language = QLocale().uiLanguages().value(0);
        !language.startsWith(QLatin1String("en")) && language != u"C") {
        auto *note = new QLabel(tr("This help is in English."), this);
        note->setObjectName(QStringLiteral("languageNote"));
        note->setContentsMargins(6, 3, 6, 3);
        layout->addWidget(note);
    }
    layout->addWidget(m_browser);
    resize(640, 560);
    // Ctrl+W named too: the desktop's Close may be Ctrl+F4 alone.
    QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        if (!closeKeys.contains(key))
            closeKeys.append(key);
    }
    for (const QKeySequence &key : std::as_const(closeKeys))
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

HelpViewer::~HelpViewer() = default;

QString HelpViewer::topicAnchor(int contextId)
{
    if (contextId == 0)
        return QStringLiteral("contents");
    return QStringLiteral("topic-%1").arg(contextId);
}

void HelpViewer::showContents(const QString &helpFile)
{
    display(helpFile, 0);
}

void HelpViewer::showTopic(const QString &helpFile, int contextId)
{
    display(helpFile, contextId);
}

void HelpViewer::display(const QString &helpFile, int contextId)
{
    QFile file(helpFile);
    if (helpFile.isEmpty()) {
        showProblem(tr("<h2>Help is not available</h2>"
                       "<p>No help file has been set up for this program yet.</p>"));
    } else if (!file.open(QIODevice::ReadOnly)) {
        showProblem(tr("<h2>Help is not available</h2>"
                       "<p>The help file <b>%1</b> could not be opened: %2.</p>"
                       "<p>It belongs in the folder that holds the program. "
                       "Installing Foliotrace again puts it back.</p>")
                        .arg(QDir::toNativeSeparators(helpFile).toHtmlEscaped(), file.errorString().toHtmlEscaped()));
    } else {
        const QString html = QString::fromUtf8(file.readAll());
        const QString anchor = topicAnchor(contextId);
        if (!html.contains(QStringLiteral("name=\"%1\"").arg(anchor))) {
            showProblem(tr("<h2>Topic not found</h2>"
                           "<p>The help file <b>%1</b> has no topic number %2.</p>")
                            .arg(QDir::toNativeSeparators(helpFile).toHtmlEscaped())
                            .arg(contextId));
        } else {
            m_browser->setHtml(html);
            m_currentTopic = contextId;
        }
    }
    show();
    raise();
    activateWindow();
    if (m_currentTopic == contextId) {
        // After show(): the browser scrolls by its laid-out size.
        m_browser->scrollToAnchor(topicAnchor(contextId));
        emit topicShown(contextId);
    }
}

void HelpViewer::showProblem(const QString &html)
{
    m_browser->setHtml(html);
    m_currentTopic = -1;
}
