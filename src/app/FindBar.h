#pragma once

#include "print/ListingSearch.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;

// The find bar under the preview: typing finds the next row whose name
// holds the text, Enter or F3 the next, Shift+F3 the one before; Escape
// closes the bar. It looks in the listing's rows, so a step costs one scan
// of the names, whatever the number of pages.
class FindBar : public QWidget
{
    Q_OBJECT

public:
    explicit FindBar(QWidget *parent = nullptr);
    ~FindBar() override;

    // The rows of the document now shown; the next find starts at its top.
    void setSearch(std::shared_ptr<const ListingSearch> search);
    // Shows the bar with its text selected, the focus in it.
    void open();
    // The next (or previous) row from the last one found; opens the bar.
    void findAgain(ListingSearch::Direction direction);

    QLineEdit *field() const { return m_text; }

signals:
    void rowFound(qsizetype row);
    // Closed by the user: the focus goes back to the page.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(qsizetype from, ListingSearch::Direction direction);
    void close();

    QLineEdit *m_text;
    QLabel *m_status;
    std::shared_ptr<const ListingSearch> m_search;
    qsizetype m_row = -1;
};
