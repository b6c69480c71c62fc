#include "settings/OptionStore.h"

#include "listing/ListingFormat.h"
#include "listing/NumberText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace {

const QString kOrganisation = QStringLiteral("Foliotrace");
const QString kApplication = QStringLiteral("Foliotrace");
const QString kGroup = QStringLiteral("Settings");

const QString kPrintFiles = QStringLiteral("Print Files");
const QString kPrintSize = QStringLiteral("Print Size");
const QString kPrintDate = QStringLiteral("Print Date");
const QString kDirectoryLevels = QStringLiteral("Directory Levels");
const QString kGridLines = QStringLiteral("Grid Lines");
const QString kDirectoryIndicator = QStringLiteral("Directory Indicator");
const QString kFileIndicator = QStringLiteral("File Indicator");
const QString kDirectoryColWidth = QStringLiteral("DirectoryColWidth");
const QString kSizeColWidth = QStringLiteral("SizeColWidth");
const QString kDateColWidth = QStringLiteral("DateColWidth");

struct CheckKey
{
    const QString &key;
    OptionCheck check;
};

const CheckKey kCheckKeys[] = {
    {kPrintFiles, OptionCheck::Files},
    {kPrintSize, OptionCheck::Size},
    {kPrintDate, OptionCheck::Date},
};

struct TextKey
{
    const QString &key;
    OptionText field;
    const char *defaultText;
    bool width; // else a mark
};

const TextKey kTextKeys[] = {
    {kDirectoryIndicator, OptionText::DirIndicator, "+", false},
    {kFileIndicator, OptionText::FileIndicator, "-", false},
    {kDirectoryColWidth, OptionText::DirColWidth, "4000", true},
    {kSizeColWidth, OptionText::SizeColWidth, "1000", true},
    {kDateColWidth, OptionText::DateColWidth, "1000", true},
};

QString tr(const char *text)
{
    return QCoreApplication::translate("OptionStore", text);
}

std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
}

// Values are always written as text, but a file edited by hand can hold a
// list ("a, b" unquoted); read that back as the text it shows.
QString readText(const QSettings &store, const QString &key, const QString &defaultText)
{
    const QVariant value = store.value(key, defaultText);
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// QSettings only says "access error"; find out what stands in the way so
// the user can do something about it.
QString explainWriteFailure(const QString &fileName)
{
    const QFileInfo file(fileName);
    QString folder = file.absolutePath();
    // The nearest part of the folder path that exists tells most failures.
    QString existing = folder;
    while (!QFileInfo::exists(existing) && QFileInfo(existing).absolutePath() != existing)
        existing = QFileInfo(existing).absolutePath();
    const QFileInfo existingInfo(existing);
    if (existing != folder && !existingInfo.isDir())
        return tr("%1 is a file, so the folder %2 cannot be created")
            .arg(QDir::toNativeSeparators(existing), QDir::toNativeSeparators(folder));
    if (existing == folder && !existingInfo.isDir())
        return tr("%1 is not a folder").arg(QDir::toNativeSeparators(folder));
    if (file.exists() && !file.isFile())
        return tr("%1 is not a regular file").arg(QDir::toNativeSeparators(fileName));

    if (QDir().mkpath(folder)) {
        // The same kind of write QSettings makes: a temporary file beside
        // the target. Never committed, so the store is left as it was.
        QSaveFile probe(fileName);
        if (!probe.open(QIODevice::WriteOnly))
            return probe.errorString();
        probe.write("probe\n");
        if (!probe.flush())
            return probe.errorString();
        probe.cancelWriting();
    }
    return tr("the settings file could not be written");
}

// A stored whole number within low..high; anything else gives defaultValue
// and goes into the report with the text the store held.
int readNumber(const QSettings &store, const QString &key, int defaultValue, int low, int high,
               SettingsLoadReport &report)
{
    const QString defaultText = QString::number(defaultValue);
    const QString text = readText(store, key, defaultText);
    const std::optional<int> value
        = text.size() <= StoredTextLimit ? parseStoredWholeNumber(text) : std::optional<int>();
    if (value && *value >= low && *value <= high)
        return *value;
    report.replaced.append({key, text, defaultText});
    return defaultValue;
}

// A stored text, or its default when usable says it is not one; a mark too
// long for the store keeps its start, as its box would. The control may
// hold less again, and then says so.
template<typename Read, typename Write>
void applyText(const QString &key, const QString &text, const QString &defaultText, bool usable, bool cutToFit,
               Read read, Write write, SettingsLoadReport &report)
{
    const bool cut = text.size() > StoredTextLimit && cutToFit;
    const bool replaced = !cut && (text.size() > StoredTextLimit || !usable);
    write(cut ? text.first(StoredTextLimit) : replaced ? defaultText : text);
    const QString taken = read();
    if (taken != text)
        report.replaced.append({key, text, taken, !replaced && text.startsWith(taken)});
}

// QSettings reads its file on first use and then tells a parse failure only
// through its status; a save then writes the file anew without what it
// could not parse.
bool cannotParse(QSettings &store)
{
    store.allKeys();
    return store.status() == QSettings::FormatError;
}

KeptAside keepAside(const QString &fileName)
{
    for (int n = 1; n <= 99; ++n) {
        const QString copy = fileName + (n == 1 ? QStringLiteral(".bad") : QStringLiteral(".bad.%1").arg(n));
        // QFile::rename never replaces a file that is there already.
        QFile file(fileName);
        if (file.rename(copy))
            return {copy, {}};
        if (!QFileInfo::exists(copy))
            return {{}, file.errorString()};
    }
    return {{}, tr("there are too many earlier copies")};
}

// Where a long stored text is shown in a message, its start is enough.
QString shown(const QString &text)
{
    constexpr qsizetype Room = 60;
    return text.size() <= Room ? text : text.first(Room - 1) + u'\u2026';
}

// What became of a stored value, as the window and standard error tell it.
QString replacedText(const ReplacedSetting &item)
{
    if (item.cut) {
        return tr("\"%1\" held %L2 characters; the first %L3 are used")
            .arg(item.key)
            .arg(item.storedText.size())
            .arg(item.defaultText.size());
    }
    if (item.storedText.size() > StoredTextLimit) {
        return tr("\"%1\" held %L2 characters, more than any option takes; \"%3\" is used instead")
            .arg(item.key)
            .arg(item.storedText.size())
            .arg(item.defaultText);
    }
    return tr("\"%1\" held \"%2\"; \"%3\" is used instead").arg(item.key, shown(item.storedText), item.defaultText);
}

QString keptAsideMessage(const QString &fileName, const KeptAside &kept, bool loading)
{
    const QString file = QDir::toNativeSeparators(fileName);
    if (kept.copy.isEmpty())
        return tr("The settings file %1 could not be read, nor be set aside (%2). It is left as it is, "
                  "and the options will not be remembered.")
            .arg(file, kept.failure);
    const QString copy = QDir::toNativeSeparators(kept.copy);
    return loading ? tr("The settings file %1 could not be read. It is kept as %2; what could be read of it "
                        "is used, and the options are stored afresh at the next Print Preview or Copy.")
                         .arg(file, copy)
                   : tr("The settings file %1 could not be read. It is kept as %2, and the options were "
                        "stored afresh.")
                         .arg(file, copy);
}

} // namespace

std::optional<int> parseStoredWholeNumber(const QString &text)
{
    const std::optional<NumberText::Decimal> number = NumberText::read(text.trimmed(), {.skipped = {}, .sign = true});
    return number ? number->exactInt() : std::nullopt;
}

QString settingsFileName()
{
    return openStore()->fileName();
}

SettingsSaveReport SaveValuesToRegistry(const OptionControls &controls)
{
    std::unique_ptr<QSettings> store = openStore();
    SettingsSaveReport report;
    report.fileName = store->fileName();
    if (cannotParse(*store)) {
        store.reset();
        const KeptAside kept = keepAside(report.fileName);
        if (kept.copy.isEmpty()) {
            report.failure
                = tr("the file could not be read, nor be set aside (%1), so it is left as it is").arg(kept.failure);
            return report;
        }
        report.keptAside = kept;
        store = openStore();
    }
    store->beginGroup(kGroup);
    for (const CheckKey &entry : kCheckKeys)
        store->setValue(entry.key, QString::number(controls.checkValue(entry.check)));
    store->setValue(kDirectoryLevels, controls.depthText());
    store->setValue(kGridLines, QString::number(controls.gridListIndex()));
    for (const TextKey &entry : kTextKeys)
        store->setValue(entry.key, controls.optionText(entry.field));
    store->endGroup();

    // The program may be ended at once right after this ("Exit" does not
    // unload anything), so the values must be on disk now.
    store->sync();
    // Only an access error means the write failed; a format error would be
    // the old text's, read back before writing. A sync that silently wrote
    // nothing still leaves no file behind.
    if (store->status() == QSettings::AccessError || !QFileInfo(report.fileName).isFile())
        report.failure = explainWriteFailure(report.fileName);
    return report;
}

SettingsLoadReport GetValuesFromRegistry(OptionControls &controls)
{
    SettingsLoadReport report;
    std::unique_ptr<QSettings> store = openStore();
    report.fileName = store->fileName();
    const bool unparsed = cannotParse(*store);
    store->beginGroup(kGroup);

    for (const CheckKey &entry : kCheckKeys)
        controls.setCheckValue(entry.check, readNumber(*store, entry.key, 1, 0, 2, report));

    const QString depthDefault = QStringLiteral("1");
    applyText(
        kDirectoryLevels, readText(*store, kDirectoryLevels, depthDefault), depthDefault, true, false,
        [&] { return controls.depthText(); }, [&](const QString &text) { controls.setDepthText(text); }, report);
    controls.setGridListIndex(readNumber(*store, kGridLines, 0, -1, 3, report));

    for (const TextKey &entry : kTextKeys) {
        const QString defaultText = QString::fromLatin1(entry.defaultText);
        const QString text = readText(*store, entry.key, defaultText);
        applyText(
            entry.key, text, defaultText,
            !entry.width || (text.size() <= StoredTextLimit && ListingFormat::isWholeWidth(text)), !entry.width,
            [&] { return controls.optionText(entry.field); },
            [&](const QString &applied) { controls.setOptionText(entry.field, applied); }, report);
    }
    store.reset();
    // What could be read of it is in the controls now.
    if (unparsed)
        report.keptAside = keepAside(report.fileName);

    const QString path = controls.pathCaption();
    if (!path.isEmpty()) {
        controls.setFolderListPath(path);
        controls.setDriveListDrive(path);
    }
    return report;
}

QString settingsLoadReportMessage(const SettingsLoadReport &report)
{
    QStringList lines;
    if (report.keptAside)
        lines << keptAsideMessage(report.fileName, *report.keptAside, true);
    if (!report.replaced.isEmpty()) {
        if (!lines.isEmpty())
            lines << QString();
        lines << tr("Some stored options could not be used as they were:") << QString();
        for (const ReplacedSetting &item : report.replaced)
            lines << tr("\u2022 %1.").arg(replacedText(item));
        lines << QString() << tr("The options are stored again at the next Print Preview or Copy.");
    }
    return lines.join(u'\n');
}

QStringList settingsLoadNotes(const SettingsLoadReport &report)
{
    QStringList notes;
    for (const ReplacedSetting &item : report.replaced)
        notes << tr("the stored option %1").arg(replacedText(item));
    return notes;
}

QString settingsSaveReportMessage(const SettingsSaveReport &report)
{
    QStringList lines;
    if (report.keptAside)
        lines << keptAsideMessage(report.fileName, *report.keptAside, false);
    if (!report.failure.isEmpty()) {
        lines << tr("The options could not be saved to %1: %2. They will not be remembered when Foliotrace "
                    "closes.")
                     .arg(QDir::toNativeSeparators(report.fileName), report.failure);
    }
    return lines.join(QStringLiteral("\n\n"));
}
