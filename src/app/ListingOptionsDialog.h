#pragma once

#include "listing/ListingChoices.h"

#include <QDialog>
#include <QList>

#include <utility>

class QCheckBox;
class QLineEdit;

#include <memory>

namespace Ui {
class ListingOptionsDialog;
}

// "More Options…": the listing choices beyond the ten options, a section
// (group box) each: which entries, what sizes count, the order, the
// columns and the totals line. Patterns and widths are checked as they are
// typed; while one is none, it is named under the fields and OK is refused. "Restore Defaults" shows what lists today's
// way: every entry, file lengths, name order. The caller reads choices()
// once the dialog is accepted:
//
//     ListingOptionsDialog dialog(this);
//     dialog.setChoices(kept);
//     if (dialog.exec() == QDialog::Accepted)
//         kept = dialog.choices();
class ListingOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ListingOptionsDialog(QWidget *parent = nullptr);
    ~ListingOptionsDialog() override;

    void setChoices(const ListingChoices &choices);
    // What the controls show; the patterns as typed, split.
    ListingChoices choices() const;
    // The first pattern or width that is none, named with its field; empty when all are.
    QString patternProblem() const;

    // OK only once every pattern is one.
    void done(int result) override;

private:
    void showPatternProblem();
    // The optional columns' check boxes and width fields, in ListingColumns::kOptional's order.
    QList<std::pair<QCheckBox *, QLineEdit *>> columnControls() const;

    std::unique_ptr<Ui::ListingOptionsDialog> m_ui;
};
