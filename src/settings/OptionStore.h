#pragma once

#include "settings/ExportSettings.h"
#include "settings/OptionControls.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QSettings;

// The ten remembered options, kept in the per-user settings file
// $XDG_CONFIG_HOME/Foliotrace/Foliotrace.conf (QSettings, native format,
// group "Settings"), beside the "Listing Options" dialog's choices (group
// "Listing Options") and what Save As remembers. This is the one place
// that opens that file.
//
// The file is read only when it is a regular file: anything else at its
// name (a FIFO, a folder, a device, a symbolic-link loop) is reported, the
// defaults are used, and it is never written over nor moved. A settings
// file QSettings cannot parse is never written over either: it is first
// kept aside as Foliotrace.conf.bad (then .bad.2, .bad.3, ..., never over an
// earlier copy), so nothing the user had is lost.
struct KeptAside
{
    QString copy;    // where the file now is; empty when it could not be moved
    QString failure; // why it could not be moved
};

// One stored value the load could not apply as it was: replaced by its
// default, or cut to what the control holds.
struct ReplacedSetting
{
    QString key;         // e.g. "Print Files"
    QString storedText;  // what the store held, unchanged
    QString defaultText; // what was applied instead
    bool cut = false;    // defaultText is the start of a text too long for the control
};

// What a load replaced, and a file it could not read or had to keep aside,
// for the window to show once it is up or the command line to tell.
struct SettingsLoadReport
{
    QList<ReplacedSetting> replaced;
    QString fileName;
    QString unreadable;                 // why the file was not read at all; its defaults were used
    bool unparsed = false;              // the file could be read in part only; that part was used
    std::optional<KeptAside> keptAside; // where an unparsed file was set aside, when the load did that

    bool isEmpty() const { return replaced.isEmpty() && unreadable.isEmpty() && !unparsed; }
};

// What a load does with a file QSettings cannot parse: the window keeps it
// aside, as it stores the options afresh soon; the command line, which
// stores nothing, leaves it where it is.
enum class UnparsedFile { SetAside, LeaveInPlace };

// What a save did besides storing the values.
struct SettingsSaveReport
{
    QString fileName;
    QString failure; // why the values did not land; empty when they did
    std::optional<KeptAside> keptAside;

    bool isEmpty() const { return failure.isEmpty() && !keptAside; }
};

// Puts what a group of its own holds into the settings file being made.
using SettingsWriter = std::function<void(QSettings &store)>;

// Writes the ten values in their fixed order, then the choices, with what
// Save As remembers when given and what also writes, and makes sure they
// reached the disk before returning. Never throws: whatever the store does,
// the command that saves goes on, and the report says what to tell.
SettingsSaveReport saveOptions(const OptionControls &controls, const std::optional<SaveAsMemory> &saveAs = std::nullopt,
                               const SettingsWriter &also = {});
// The same store for a group of another part of the program: write sets its
// values; everything else the file holds stays as it is.
SettingsSaveReport saveSettings(const SettingsWriter &write);

// Reads the ten values in order, then the choices, and applies each at once
// (missing keys give their defaults), then points the folder and drive
// lists at the path caption when it is not empty. A stored value the
// control cannot take is replaced by its default, a mark longer than the
// control holds is cut, and both are listed in the report; the load goes
// on. No stored value is taken longer than StoredTextLimit. A file that
// cannot be parsed gives what can be read of it.
SettingsLoadReport loadOptions(OptionControls &controls, UnparsedFile unparsed = UnparsedFile::SetAside);

// The settings file opened for reading, for what else it holds; nothing
// when it cannot be read (an absent file reads as empty).
std::unique_ptr<QSettings> openSettingsToRead();

// The longest stored value taken: what the marks' boxes hold.
constexpr qsizetype StoredTextLimit = 1000;

// The texts the window shows; empty when the report is.
QString settingsLoadReportMessage(const SettingsLoadReport &report);
// The same as single lines for standard error.
QStringList settingsLoadNotes(const SettingsLoadReport &report);
// Names the file and the reason, and says the options will not be remembered.
QString settingsSaveReportMessage(const SettingsSaveReport &report);

// The organisation and application names the settings file is kept under;
// the program takes them as its own.
QString settingsOrganisation();
QString settingsApplication();

// Where the store keeps its values (for messages and tests).
QString settingsFileName();

// The store's whole-number reading: decimal digits with an optional sign,
// blanks around them ignored. Empty when the text is not such a number or
// does not fit an int.
std::optional<int> parseStoredWholeNumber(const QString &text);
