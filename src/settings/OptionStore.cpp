#include "settings/OptionStore.h"

#include "settings/ListingChoicesStore.h"

#include "listing/ListingFormat.h"
#include "listing/NumberText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    {kDirectoryIndicator, OptionText::DirMark, "+", false},
    {kFileIndicator, OptionText::FileMark, "-", false},
    {kDirectoryColWidth, OptionText::DirColWidth, "4000", true},
    {kSizeColWidth, OptionText::SizeColWidth, "1000", true},
    {kDateColWidth, OptionText::DateColWidth, "1000", true},
};

// The texts' context in the translations, as lupdate finds it.
struct OptionStoreText
{
    Q_DECLARE_TR_FUNCTIONS(OptionStore)
};

// Opened by its name, the file QSettings gives the organisation and the
// application: only that one file is read, never the fallbacks beside it.
std::unique_ptr<QSettings> openStore(const QString &fileName)
{
    return std::make_unique<QSettings>(fileName, QSettings::NativeFormat);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// QSettings opens its file with a plain open(), which waits for ever on a
// FIFO, and a save would put a regular file in place of whatever stands at
// the name. So look first, without waiting: empty when the file is a
// regular file that may be read, or is not there; else why not.
QString whyUnusable(const QString &fileName)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        // A file in place of the folder is for the save to explain.
        return errno == ENOENT || errno == ENOTDIR ? QString() : systemError(errno);
    }
    struct stat info = {};
    const bool known = ::fstat(fd, &info) == 0;
    const int error = errno;
    ::close(fd);
    if (!known)
        return systemError(error);
    if (S_ISREG(info.st_mode))
        return {};
    if (S_ISDIR(info.st_mode))
        return OptionStoreText::tr("it is a folder, not a regular file");
    if (S_ISFIFO(info.st_mode))
        return OptionStoreText::tr("it is a named pipe (FIFO), not a regular file");
    if (S_ISSOCK(info.st_mode))
        return OptionStoreText::tr("it is a socket, not a regular file");
    return OptionStoreText::tr("it is a device, not a regular file");
}

// The same for a save, which also leaves alone a file the user made
// read-only, though its folder would let it be replaced.
QString whyUnwritable(const QString &fileName)
{
    if (QString problem = whyUnusable(fileName); !problem.isEmpty())
        return problem;
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? QString() : systemError(errno);
    ::close(fd);
    return {};
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
        return OptionStoreText::tr("%1 is a file, so the folder %2 cannot be created")
            .arg(QDir::toNativeSeparators(existing), QDir::toNativeSeparators(folder));
    if (existing == folder && !existingInfo.isDir())
        return OptionStoreText::tr("%1 is not a folder").arg(QDir::toNativeSeparators(folder));
    if (file.exists() && !file.isFile())
        return OptionStoreText::tr("%1 is not a regular file").arg(QDir::toNativeSeparators(fileName));

    if (QDir().mkpath(folder)) {
        // The same kind of write a save makes: a temporary file beside
        // the target. Never committed, so the store is left as it was.
        QSaveFile probe(fileName);
        if (!probe.open(QIODevice::WriteOnly))
            return probe.errorString();
        probe.write("probe\n");
        if (!probe.flush())
            return probe.errorString();
        probe.cancelWriting();
    }
    return OptionStoreText::tr("the settings file could not be written");
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
// could not parse. It keeps a file it has read, and reads it again (and
// tells again) only once its size or time changed, so the store notes the
// file that last failed.
bool cannotParse(QSettings &store)
{
    store.allKeys();
    const QFileInfo file(store.fileName());
    using Identity = std::tuple<QString, qint64, QDateTime>;
    const Identity identity{file.absoluteFilePath(), file.size(), file.lastModified()};
    // Only the thread that runs the window or the command line uses the store.
    static std::optional<Identity> unparsed;
    if (store.status() == QSettings::FormatError)
        unparsed = identity;
    return unparsed == identity;
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
    return {{}, OptionStoreText::tr("there are too many earlier copies")};
}

// The settings file's new text, made in scratch: what the earlier file held
// besides, and what write puts in. None when QSettings could not write it.
std::optional<QByteArray> settingsText(const QString &scratch, std::unique_ptr<QSettings> earlier,
                                       const SettingsWriter &write)
{
    QSettings store(scratch, QSettings::NativeFormat);
    // Whatever else the file holds stays in it.
    for (const QString &key : earlier ? earlier->allKeys() : QStringList())
        store.setValue(key, earlier->value(key));
    earlier.reset();
    write(store);
    store.sync();
    QFile written(scratch);
    if (store.status() != QSettings::NoError || !written.open(QIODevice::ReadOnly))
        return std::nullopt;
    return written.readAll();
}

void writeOptions(QSettings &store, const OptionControls &controls, const std::optional<SaveAsMemory> &saveAs)
{
    store.beginGroup(kGroup);
    for (const CheckKey &entry : kCheckKeys)
        store.setValue(entry.key, QString::number(controls.checkValue(entry.check)));
    store.setValue(kDirectoryLevels, controls.depthText());
    store.setValue(kGridLines, QString::number(controls.gridListIndex()));
    for (const TextKey &entry : kTextKeys)
        store.setValue(entry.key, controls.optionText(entry.field));
    store.endGroup();
    writeListingChoices(store, controls.listingChoices());
    if (saveAs)
        writeSaveAsMemory(store, *saveAs);
}

} // namespace

// Values are always written as text, but a file edited by hand can hold a
// list ("a, b" unquoted); read that back as the text it shows. Without a
// store (the file could not be read), every value is its default.
QString readStoredText(const QSettings *store, const QString &key, const QString &defaultText)
{
    if (!store)
        return defaultText;
    const QVariant value = store->value(key, defaultText);
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// A stored whole number within low..high; anything else gives defaultValue
// and goes into the report with the text the store held.
int readStoredNumber(const QSettings *store, const QString &key, int defaultValue, int low, int high,
                     SettingsLoadReport &report)
{
    const QString defaultText = QString::number(defaultValue);
    const QString text = readStoredText(store, key, defaultText);
    const std::optional<int> value
        = text.size() <= StoredTextLimit ? parseStoredWholeNumber(text) : std::optional<int>();
    if (value && *value >= low && *value <= high)
        return *value;
    report.replaced.append({key, text, defaultText});
    return defaultValue;
}

std::optional<int> parseStoredWholeNumber(const QString &text)
{
    const std::optional<NumberText::Decimal> number = NumberText::read(text.trimmed(), {.skipped = {}, .sign = true});
    return number ? number->exactInt() : std::nullopt;
}

QString settingsOrganisation()
{
    return kOrganisation;
}

QString settingsApplication()
{
    return kApplication;
}

QString settingsFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + kOrganisation + u'/'
           + kApplication + QStringLiteral(".conf");
}

std::unique_ptr<QSettings> openSettingsToRead()
{
    const QString fileName = settingsFileName();
    if (!whyUnusable(fileName).isEmpty())
        return nullptr;
    std::unique_ptr<QSettings> store = openStore(fileName);
    // Noted for a save that follows, which must not write over it.
    cannotParse(*store);
    return store;
}

SettingsSaveReport saveOptions(const OptionControls &controls, const std::optional<SaveAsMemory> &saveAs,
                               const SettingsWriter &also)
{
    return saveSettings([&](QSettings &store) {
        writeOptions(store, controls, saveAs);
        if (also)
            also(store);
    });
}

SettingsSaveReport saveSettings(const SettingsWriter &write)
{
    SettingsSaveReport report;
    report.fileName = settingsFileName();
    if (const QString problem = whyUnwritable(report.fileName); !problem.isEmpty()) {
        report.failure = problem;
        return report;
    }
    std::unique_ptr<QSettings> earlier = openStore(report.fileName);
    if (cannotParse(*earlier)) {
        earlier.reset();
        const KeptAside kept = keepAside(report.fileName);
        if (kept.copy.isEmpty()) {
            report.failure
                = OptionStoreText::tr("the file could not be read, nor be set aside (%1), so it is left as it is")
                      .arg(kept.failure);
            return report;
        }
        report.keptAside = kept;
    }

    // QSettings keeps a write that failed in a cache it shares between all
    // its objects on one file name, and the next one opened on that name
    // makes the write itself, over whatever the file holds by then. So it
    // only ever writes a scratch file of a name of its own; the text made
    // there replaces the settings file in one step.
    const QString folder = QFileInfo(report.fileName).absolutePath();
    QTemporaryFile scratch(folder + QStringLiteral("/.Foliotrace.conf.XXXXXX"));
    if (!QDir().mkpath(folder) || !scratch.open()) {
        report.failure = explainWriteFailure(report.fileName);
        return report;
    }
    const std::optional<QByteArray> text = settingsText(scratch.fileName(), std::move(earlier), write);
    if (!text) {
        report.failure = explainWriteFailure(report.fileName);
        return report;
    }

    // Replaced whole or not at all, keeping its permissions, through a
    // symbolic link to wherever the user keeps it. The program may be
    // ended at once right after this ("Exit" does not unload anything), so
    // the text must be on disk now, which commit() makes sure of.
    QSaveFile file(report.fileName);
    // Unbuffered, so a write the disk refuses is told by the write itself.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(*text) != text->size() || !file.commit())
        report.failure = file.errorString();
    return report;
}

SettingsLoadReport loadOptions(OptionControls &controls, UnparsedFile unparsed)
{
    SettingsLoadReport report;
    report.fileName = settingsFileName();
    report.unreadable = whyUnusable(report.fileName);
    std::unique_ptr<QSettings> store = report.unreadable.isEmpty() ? openStore(report.fileName) : nullptr;
    if (store) {
        report.unparsed = cannotParse(*store);
        store->beginGroup(kGroup);
    }

    for (const CheckKey &entry : kCheckKeys)
        controls.setCheckValue(entry.check, readStoredNumber(store.get(), entry.key, 1, 0, 2, report));

    const QString depthDefault = QStringLiteral("1");
    applyText(
        kDirectoryLevels, readStoredText(store.get(), kDirectoryLevels, depthDefault), depthDefault, true, false,
        [&] { return controls.depthText(); }, [&](const QString &text) { controls.setDepthText(text); }, report);
    controls.setGridListIndex(readStoredNumber(store.get(), kGridLines, 0, -1, 3, report));

    for (const TextKey &entry : kTextKeys) {
        const QString defaultText = QString::fromLatin1(entry.defaultText);
        const QString text = readStoredText(store.get(), entry.key, defaultText);
        applyText(
            entry.key, text, defaultText,
            !entry.width || (text.size() <= StoredTextLimit && ListingFormat::isWholeWidth(text)), !entry.width,
            [&] { return controls.optionText(entry.field); },
            [&](const QString &applied) { controls.setOptionText(entry.field, applied); }, report);
    }
    if (store)
        store->endGroup();
    controls.setListingChoices(readListingChoices(store.get(), report));
    store.reset();
    // What could be read of it is in the controls now.
    if (report.unparsed && unparsed == UnparsedFile::SetAside)
        report.keptAside = keepAside(report.fileName);

    const QString path = controls.pathCaption();
    if (!path.isEmpty()) {
        controls.setFolderListPath(path);
        controls.setDriveListDrive(path);
    }
    return report;
}
