#include "app/PathField.h"

#include "app/FolderList.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <sys/stat.h>

PathField::PathField(QLabel *pathBar, QWidget *window)
    : QObject(window), m_bar(pathBar), m_field(new QLineEdit(window)), m_problem(new QLabel(window))
{
    m_field->setObjectName(QStringLiteral("txtPath"));
    m_field->setAccessibleName(tr("Path of the folder to list"));
    m_field->hide();
    m_problem->setObjectName(QStringLiteral("lblPathProblem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setAutoFillBackground(true);
    m_problem->hide();

    auto *folders = new QFileSystemModel(m_field);
    folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    folders->setRootPath(QString());
    auto *completer = new QCompleter(folders, m_field);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    m_field->setCompleter(completer);
    // The list in the field's own (the form's) font, not the desktop's larger one.
    completer->popup()->setFont(m_field->font());

    m_bar->installEventFilter(this);
    m_bar->setCursor(Qt::IBeamCursor);
    m_bar->setToolTip(tr("Click, or press Ctrl+L, to type or paste a path"));
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::returnPressed, this, &PathField::accept);
    connect(m_field, &QLineEdit::textEdited, m_problem, &QWidget::hide);
}

PathField::~PathField() = default;

void PathField::edit()
{
    m_field->setGeometry(m_bar->geometry());
    m_field->setText(m_bar->text());
    m_field->show();
    m_field->raise();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

bool PathField::isEditing() const
{
    return m_field->isVisible();
}

void PathField::showProblem(const QString &text)
{
    const QRect field = m_field->geometry();
    m_problem->setText(text);
    m_problem->setGeometry(field.left(), field.bottom() + 1, field.width(), m_problem->sizeHint().height());
    m_problem->show();
    m_problem->raise();
}

void PathField::accept()
{
    // The bar's own text stands for the folder shown, whatever its bytes.
    const QByteArray path = FolderPaths::fromShown(m_field->text());
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return showProblem(tr("\"%1\" does not exist.").arg(QFile::decodeName(path)));
    if (!S_ISDIR(info.st_mode))
        return showProblem(tr("\"%1\" is a file, not a folder.").arg(QFile::decodeName(path)));
    close();
    emit folderChosen(path);
}

void PathField::close()
{
    m_problem->hide();
    m_field->hide();
}

bool PathField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar && event->type() == QEvent::MouseButtonRelease) {
        edit();
        return true;
    }
    if (watched != m_field)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        // Escape closes the field, not the window's run or preview.
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress)
                close();
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && !m_field->completer()->popup()->isVisible()) {
        close();
    }
    return QObject::eventFilter(watched, event);
}
