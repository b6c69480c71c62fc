#include "settings/OptionStore.h"

#include "listing/NumberText.h"

#include <QCoreApplication>
#include <QDir>
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
};

const TextKey kTextKeys[] = {
    {kDirectoryIndicator, OptionText::DirIndicator, "+"},
    {kFileIndicator, OptionText::FileIndicator, "-"},
    {kDirectoryColWidth, OptionText::DirColWidth, "4000"},
    {kSizeColWidth, OptionText::SizeColWidth, "1000"},
    {kDateColWidth, OptionText::DateColWidth, "1000"},
};

QString tr(const char *text)
{
    return QCoreApplication::translate("OptionStore", text);
}

std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       kOrganisation, kApplication);
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
    const std::optional<int> value = parseStoredWholeNumber(text);
    if (value && *value >= low && *value <= high)
        return *value;
    report.replaced.append({key, text, defaultText});
    return defaultValue;
}

} // namespace

SettingsWriteError::SettingsWriteError(const QString &fileName, const QString &reason)
    : UserError(tr("Could not save the options to %1: %2.").arg(QDir::toNativeSeparators(fileName), reason))
    , m_fileName(fileName)
    , m_reason(reason)
{
}

std::optional<int> parseStoredWholeNumber(const QString &text)
{
    const std::optional<NumberText::Decimal> number =
        NumberText::read(text.trimmed(), {.skipped = {}, .sign = true});
    return number ? number->exactInt() : std::nullopt;
}

QString settingsFileName()
{
    return openStore()->fileName();
}

void SaveValuesToRegistry(const OptionControls &controls)
{
    const std::unique_ptr<QSettings> store = openStore();
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
    const QString fileName = store->fileName();
    // A sync that silently wrote nothing still leaves no file behind.
    if (store->status() != QSettings::NoError || !QFileInfo(fileName).isFile())
        throw SettingsWriteError(fileName, explainWriteFailure(fileName));
}

SettingsLoadReport GetValuesFromRegistry(OptionControls &controls)
{
    SettingsLoadReport report;
    const std::unique_ptr<QSettings> store = openStore();
    store->beginGroup(kGroup);

    for (const CheckKey &entry : kCheckKeys)
        controls.setCheckValue(entry.check, readNumber(*store, entry.key, 1, 0, 2, report));

    controls.setDepthText(readText(*store, kDirectoryLevels, QStringLiteral("1")));
    controls.setGridListIndex(readNumber(*store, kGridLines, 0, -1, 3, report));

    for (const TextKey &entry : kTextKeys)
        controls.setOptionText(entry.field,
                               readText(*store, entry.key, QString::fromLatin1(entry.defaultText)));
    store->endGroup();

    const QString path = controls.pathCaption();
    if (!path.isEmpty()) {
        controls.setFolderListPath(path);
        controls.setDriveListDrive(path);
    }
    return report;
}

QString settingsLoadReportMessage(const SettingsLoadReport &report)
{
    if (report.isEmpty())
        return {};
    QStringList lines;
    lines << tr("Some stored options could not be used and were reset to their defaults:");
    lines << QString();
    for (const ReplacedSetting &item : report.replaced) {
        lines << tr("\u2022 \"%1\" held \"%2\"; \"%3\" is used instead.")
                     .arg(item.key, item.storedText, item.defaultText);
    }
    lines << QString();
    lines << tr("The options are stored again at the next Print Preview or Copy.");
    return lines.join(u'\n');
}
