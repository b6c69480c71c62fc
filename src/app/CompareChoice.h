#pragma once

#include <QObject>
#include <QString>

#include <memory>

class OptionSet;
class QCheckBox;
class QMenu;
class QPushButton;
class QWidget;
struct ComparedListing;

// "Compare With…" and its "Changes only" box, in the Options state: picks
// a saved JSON listing, reads it once, and hands it to the option set, so
// that the next Print Preview, Copy or Save As lists the folder compared
// with it until it is cleared. While one is set the button names it and
// opens a menu to choose another or to clear it. A file that cannot be
// compared with is reported, and the comparison stays as it was.
class CompareChoice : public QObject
{
    Q_OBJECT

public:
    CompareChoice(QPushButton *button, QCheckBox *changesOnly, OptionSet &options, QWidget *window);

    void choose();
    void clear();
    // Shown in the Options state only.
    void setShown(bool shown);

private:
    void showChoice();

    QPushButton *m_button;
    QCheckBox *m_changesOnly;
    QMenu *m_menu;
    OptionSet &m_options;
    QWidget *m_window;
    std::shared_ptr<const ComparedListing> m_earlier;
    QString m_folder; // where the file dialog opens
};
