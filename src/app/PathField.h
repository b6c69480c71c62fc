#pragma once

#include <QByteArray>
#include <QObject>

class QLabel;
class QLineEdit;
class QWidget;

// The path bar made editable (Ctrl+L, or a click on it): a field over the
// bar, completing folder names, where a path is typed or pasted. Enter
// selects it, Escape or leaving the field puts the bar back; a path that
// leads to no folder is named in one line under the field.
class PathField : public QObject
{
    Q_OBJECT

public:
    PathField(QLabel *pathBar, QWidget *window);
    ~PathField() override;

    // Opens the field on the bar's text, all of it selected.
    void edit();
    bool isEditing() const;
    // Names the problem under the field, which stays open to mend the path.
    void showProblem(const QString &text);

    QLineEdit *field() const { return m_field; }
    QLabel *problemLine() const { return m_problem; }

signals:
    // A typed path that leads to a folder, as native bytes.
    void folderChosen(const QByteArray &nativePath);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void accept();
    void close();

    QLabel *m_bar;
    QLineEdit *m_field;
    QLabel *m_problem;
};
