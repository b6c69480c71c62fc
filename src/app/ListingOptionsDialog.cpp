#include "app/ListingOptionsDialog.h"
#include "ui_ListingOptionsDialog.h"

#include "help/DesignColours.h"
#include "help/Help.h"
#include "listing/ListingFormat.h"

#include <QPushButton>

#include <algorithm>

ListingOptionsDialog::ListingOptionsDialog(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ListingOptionsDialog>())
{
    m_ui->setupUi(this);
    // A problem in red where red reads, a lighter red on a dark desktop.
    (new DesignColourKeeper(this))->keepText(m_ui->lblPatternProblem, QColor(192, 0, 0));
    // Letters of their own: the window's other controls take none of these.
    m_ui->buttons->button(QDialogButtonBox::RestoreDefaults)->setText(tr("&Restore Defaults"));
    m_ui->buttons->button(QDialogButtonBox::Help)->setText(tr("&Help"));
    Help::setHelpContextId(this, Help::ListingOptionsContextId);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->buttons, &QDialogButtonBox::helpRequested, this,
            [] { Help::showTopic(Help::ListingOptionsContextId); });
    connect(m_ui->buttons->button(QDialogButtonBox::RestoreDefaults), &QAbstractButton::clicked, this,
            [this] { setChoices(ListingChoices()); });
    for (QLineEdit *patterns : {m_ui->txtInclude, m_ui->txtSkip})
        connect(patterns, &QLineEdit::textChanged, this, &ListingOptionsDialog::showPatternProblem);
    for (const auto &[check, width] : columnControls()) {
        connect(width, &QLineEdit::textChanged, this, &ListingOptionsDialog::showPatternProblem);
        connect(check, &QCheckBox::toggled, width, &QWidget::setEnabled);
    }
    setChoices(ListingChoices());
}

ListingOptionsDialog::~ListingOptionsDialog() = default;

void ListingOptionsDialog::setChoices(const ListingChoices &choices)
{
    m_ui->txtInclude->setText(ListingChoiceText::joinPatterns(choices.include));
    m_ui->txtSkip->setText(ListingChoiceText::joinPatterns(choices.skip));
    m_ui->chkMatchCase->setChecked(choices.matchCase);
    m_ui->chkHidden->setChecked(choices.hidden);
    m_ui->chkPruneEmpty->setChecked(choices.pruneEmpty);
    m_ui->chkOneFileSystem->setChecked(choices.oneFileSystem);
    (choices.sizes == SizeMeasure::DiskUsage ? m_ui->optDiskUsage : m_ui->optLength)->setChecked(true);
    m_ui->chkLinksOnce->setChecked(choices.linksOnce);
    // The list holds the orders in ListingOrder's own order.
    m_ui->cboOrder->setCurrentIndex(int(choices.order));
    const auto controls = columnControls();
    for (int i = 0; i < ListingColumns::OptionalCount; ++i) {
        const ListingColumn column = ListingColumns::kOptional[size_t(i)];
        controls[i].first->setChecked(choices.columns.contains(column));
        controls[i].second->setEnabled(choices.columns.contains(column));
        controls[i].second->setText(choices.widths[size_t(ListingColumns::optionalIndex(column))].plain());
    }
    m_ui->chkTotals->setChecked(choices.totals);
}

QList<std::pair<QCheckBox *, QLineEdit *>> ListingOptionsDialog::columnControls() const
{
    return {{m_ui->chkColumnFiles, m_ui->txtWidthFiles},
            {m_ui->chkColumnFolders, m_ui->txtWidthFolders},
            {m_ui->chkColumnTime, m_ui->txtWidthTime},
            {m_ui->chkColumnOwner, m_ui->txtWidthOwner},
            {m_ui->chkColumnPermissions, m_ui->txtWidthPermissions},
            {m_ui->chkColumnCreated, m_ui->txtWidthCreated},
            {m_ui->chkColumnPath, m_ui->txtWidthPath}};
}

ListingChoices ListingOptionsDialog::choices() const
{
    ListingChoices choices;
    choices.include = ListingChoiceText::splitPatterns(m_ui->txtInclude->text());
    choices.skip = ListingChoiceText::splitPatterns(m_ui->txtSkip->text());
    choices.matchCase = m_ui->chkMatchCase->isChecked();
    choices.hidden = m_ui->chkHidden->isChecked();
    choices.pruneEmpty = m_ui->chkPruneEmpty->isChecked();
    choices.oneFileSystem = m_ui->chkOneFileSystem->isChecked();
    choices.sizes = m_ui->optDiskUsage->isChecked() ? SizeMeasure::DiskUsage : SizeMeasure::Length;
    choices.linksOnce = m_ui->chkLinksOnce->isChecked();
    choices.order = ListingOrder(std::clamp(m_ui->cboOrder->currentIndex(), 0, int(ListingOrder::Extension)));
    const auto controls = columnControls();
    for (int i = 0; i < ListingColumns::OptionalCount; ++i) {
        const ListingColumn column = ListingColumns::kOptional[size_t(i)];
        if (controls[i].first->isChecked())
            choices.columns.append(column);
        choices.widths[size_t(ListingColumns::optionalIndex(column))]
            = ListingFormat::readWidth(controls[i].second->text());
    }
    choices.totals = m_ui->chkTotals->isChecked();
    return choices;
}

QString ListingOptionsDialog::patternProblem() const
{
    const ListingChoices typed = choices();
    if (const QString problem = ListingChoiceText::patternsProblem(typed.include); !problem.isEmpty())
        return tr("Include files: %1").arg(problem);
    if (const QString problem = ListingChoiceText::patternsProblem(typed.skip); !problem.isEmpty())
        return tr("Skip: %1").arg(problem);
    const auto controls = columnControls();
    for (int i = 0; i < ListingColumns::OptionalCount; ++i) {
        if (!ListingFormat::isWholeWidth(controls[i].second->text()))
            return tr("The width of the %1 column is no number of twips: \"%2\"")
                .arg(ListingColumns::heading(ListingColumns::kOptional[size_t(i)]), controls[i].second->text());
    }
    return {};
}

void ListingOptionsDialog::showPatternProblem()
{
    const QString problem = patternProblem();
    m_ui->lblPatternProblem->setText(problem);
    m_ui->lblPatternProblem->setVisible(!problem.isEmpty());
    m_ui->buttons->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

void ListingOptionsDialog::done(int result)
{
    if (result == Accepted && !patternProblem().isEmpty())
        return;
    QDialog::done(result);
}
