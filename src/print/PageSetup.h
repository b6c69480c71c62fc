#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringView>

#include <optional>

// How the listing's pages are set up: the paper, which way up, the margins,
// and how the table takes the page. Chosen in Page Setup…, stored with the
// options, given on the command line; the preview, the PDF and the printer
// all lay the pages out by it.
struct PageSetup
{
    static constexpr int MinTextPercent = 80;
    static constexpr int MaxTextPercent = 150;

    std::optional<QPageSize> paper; // none: the default printer's
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{72, 72, 72, 72}; // points: left, top, right, bottom
    bool fitWidth = false;             // the columns scaled to fill the room between the margins
    int textPercent = 100;             // the table's text, of its 8 and 10 pt

    // The pages: the chosen paper, else printerPaper (the default printer's).
    // Margins that leave no room on the paper give way to the house inch.
    QPageLayout layout(const QPageSize &printerPaper) const;

    bool operator==(const PageSetup &) const = default;
};

namespace PageSetups {

// A paper by the name Qt gives it ("A4", "Letter", "Legal") in any letter
// case, or by the print server's ("iso_a4_210x297mm", "na_letter_8.5x11in").
std::optional<QPageSize> paperNamed(QStringView name);
// The name paperNamed() takes back: Qt's for a standard size, the print
// server's self-describing one for any other.
QString paperName(const QPageSize &paper);

} // namespace PageSetups
