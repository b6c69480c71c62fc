#pragma once

#include "settings/OptionControls.h"

#include <QList>
#include <QString>

#include "UserError.h"

#include <optional>

// The ten remembered options, kept in the per-user settings store
// (QSettings, native format, "Foliotrace"/"Foliotrace", group "Settings").
// On Linux: $XDG_CONFIG_HOME/Foliotrace/Foliotrace.conf.

// A save the store could not complete. Thrown by SaveValuesToRegistry; the
// window reports it, the command that asked for the save does not go on.
// Its message: "Could not save the options to <file>: <reason>."
class SettingsWriteError : public UserError
{
public:
    SettingsWriteError(const QString &fileName, const QString &reason);

    const QString &fileName() const { return m_fileName; }
    const QString &reason() const { return m_reason; }

private:
    QString m_fileName;
    QString m_reason;
};

// One stored value the load could not apply and replaced by its default.
struct ReplacedSetting
{
    QString key;           // e.g. "Print Files"
    QString storedText;    // what the store held, unchanged
    QString defaultText;   // what was applied instead
};

// What a load replaced, for the window to show once it is up.
struct SettingsLoadReport
{
    QList<ReplacedSetting> replaced;

    bool isEmpty() const { return replaced.isEmpty(); }
};

// Writes the ten values in their fixed order and makes sure they reached
// the disk before returning. Throws SettingsWriteError.
void SaveValuesToRegistry(const OptionControls &controls);

// Reads the ten values in order and applies each at once (missing keys give
// their defaults), then points the folder and drive lists at the path
// caption when it is not empty. A stored value the control cannot take is
// replaced by its default and listed in the report; the load goes on.
SettingsLoadReport GetValuesFromRegistry(OptionControls &controls);

// The text the window shows when a load replaced values; empty when the
// report is empty.
QString settingsLoadReportMessage(const SettingsLoadReport &report);

// Where the store keeps its values (for messages and tests).
QString settingsFileName();

// The store's whole-number reading: decimal digits with an optional sign,
// blanks around them ignored. Empty when the text is not such a number or
// does not fit an int.
std::optional<int> parseStoredWholeNumber(const QString &text);
