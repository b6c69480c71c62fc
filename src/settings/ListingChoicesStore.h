#pragma once

#include "listing/ListingChoices.h"

#include <QString>

class QSettings;
struct SettingsLoadReport;

// The "Listing Options" dialog's choices, in a group of their own
// ("Listing Options") of the settings file, written and read by the
// options' store with the ten options and under the same rules. Internal
// to the settings library.

void writeListingChoices(QSettings &store, const ListingChoices &choices);
// Missing keys give their defaults; a value that cannot be used is
// replaced by its default and goes into report. Without a store (the file
// could not be read), the defaults.
ListingChoices readListingChoices(QSettings *store, SettingsLoadReport &report);

// How the store reads one value, shared by its groups. A stored text: what
// a list written by hand shows; without a store, defaultText.
QString readStoredText(const QSettings *store, const QString &key, const QString &defaultText);
// A stored whole number within low..high; anything else gives defaultValue
// and goes into the report with the text the store held.
int readStoredNumber(const QSettings *store, const QString &key, int defaultValue, int low, int high,
                     SettingsLoadReport &report);
