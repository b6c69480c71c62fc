#pragma once

#include "settings/OptionStore.h"

#include <QMarginsF>
#include <QString>

#include <functional>

// What Page Setup… chose, as the settings file keeps it: a group of its own
// ("Page Setup") beside the ten options, loaded and saved under their rules.
// Plain values: the store knows no paper, and asks whether a name is one.
struct StoredPageSetup
{
    static constexpr int MinTextPercent = 80; // the text sizes Page Setup offers
    static constexpr int MaxTextPercent = 150;

    QString paper = QStringLiteral("Default"); // a paper's name; "Default": the default printer's
    bool landscape = false;
    QMarginsF margins{25.4, 25.4, 25.4, 25.4}; // millimetres: left, top, right, bottom
    bool fitWidth = false;
    int textPercent = 100;
};

// Whether a stored text names a paper.
using PaperCheck = std::function<bool(const QString &name)>;

// The stored page setup. A stored value it cannot use gets its default and
// is added to replaced; a file that cannot be read gives the defaults.
StoredPageSetup loadPageSetup(const PaperCheck &isPaper, QList<ReplacedSetting> &replaced);
// Puts setup into its group of the settings file being made (saveSettings,
// saveOptions).
void writePageSetup(QSettings &store, const StoredPageSetup &setup);
