#pragma once

#include "print/PageSetup.h"
#include "settings/OptionStore.h"

#include <QList>

// The page setup between its typed form, which the document is laid out
// by, and the settings file's group of its own (settings/PageSetupStore).

// The stored page setup; values it could not use are added to replaced.
PageSetup loadStoredPageSetup(QList<ReplacedSetting> &replaced);
// What saveOptions or saveSettings writes to store setup.
SettingsWriter pageSetupWriter(const PageSetup &setup);
