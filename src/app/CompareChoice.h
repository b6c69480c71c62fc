#pragma once

#include <QObject>
#include <QString>

#include <memory>

class OptionSet;
class QCheckBox;
class QAbstractButton;
class QPushButton;
class QWidget;
struct ComparedListing;

// "Compare With…" and its clear button and "Changes only" box, in the
// Options state: picks a saved JSON listing, reads it once, and hands it to
// the option set, so that the next Print Preview, Copy or Save As lists the
// folder compared with it until it is cleared. A file that cannot be
// compared with is reported, and the comparison stays as it was.
class CompareChoice : public QObject
{
    Q_OBJECT

public:
    CompareChoice(QPushButton *chooseButton, QAbstractButton *clearButton, QCheckBox *changesOnly, OptionSet &options,
                  QWidget *window);

    void choose();
    void clear();
    // Shown in the Options state only.
    void setShown(bool shown);

private:
    void showChoice();

    QPushButton *m_choose;
    QAbstractButton *m_clear;
    QCheckBox *m_changesOnly;
    OptionSet &m_options;
    QWidget *m_window;
    std::shared_ptr<const ComparedListing> m_earlier;
    QString m_folder; // where the file dialog opens
};
