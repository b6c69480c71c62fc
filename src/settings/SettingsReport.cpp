#include "settings/OptionStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

// What the window and standard error say of a load or a save.

namespace {

// The texts' context in the translations, as lupdate finds it.
struct OptionStoreText
{
    Q_DECLARE_TR_FUNCTIONS(OptionStore)
};

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
        return OptionStoreText::tr("\"%1\" held %L2 characters; the first %L3 are used")
            .arg(item.key)
            .arg(item.storedText.size())
            .arg(item.defaultText.size());
    }
    if (item.storedText.size() > StoredTextLimit) {
        return OptionStoreText::tr("\"%1\" held %L2 characters, more than any option takes; \"%3\" is used instead")
            .arg(item.key)
            .arg(item.storedText.size())
            .arg(item.defaultText);
    }
    return OptionStoreText::tr("\"%1\" held \"%2\"; \"%3\" is used instead")
        .arg(item.key, shown(item.storedText), item.defaultText);
}

QString keptAsideMessage(const QString &fileName, const KeptAside &kept, bool loading)
{
    const QString file = QDir::toNativeSeparators(fileName);
    if (kept.copy.isEmpty())
        return OptionStoreText::tr(
                   "The settings file %1 could not be read, nor be set aside (%2). It is left as it is, "
                   "and the options will not be remembered.")
            .arg(file, kept.failure);
    const QString copy = QDir::toNativeSeparators(kept.copy);
    return loading
               ? OptionStoreText::tr(
                     "The settings file %1 could not be read. It is kept as %2; what could be read of it "
                     "is used, and the options are stored afresh at the next Print Preview, Copy or Save As.")
                     .arg(file, copy)
               : OptionStoreText::tr("The settings file %1 could not be read. It is kept as %2, and the options were "
                                     "stored afresh.")
                     .arg(file, copy);
}

} // namespace

QString settingsLoadReportMessage(const SettingsLoadReport &report)
{
    QStringList lines;
    if (!report.unreadable.isEmpty()) {
        lines << OptionStoreText::tr(
                     "The settings file %1 cannot be read: %2. It is left as it is; the defaults are used, and "
                     "the options will not be remembered.")
                     .arg(QDir::toNativeSeparators(report.fileName), report.unreadable);
    }
    if (report.keptAside)
        lines << keptAsideMessage(report.fileName, *report.keptAside, true);
    if (!report.replaced.isEmpty()) {
        if (!lines.isEmpty())
            lines << QString();
        lines << OptionStoreText::tr("Some stored options could not be used as they were:") << QString();
        for (const ReplacedSetting &item : report.replaced)
            lines << OptionStoreText::tr("\u2022 %1.").arg(replacedText(item));
        lines << QString()
              << OptionStoreText::tr("The options are stored again at the next Print Preview, Copy or Save As.");
    }
    return lines.join(u'\n');
}

QStringList settingsLoadNotes(const SettingsLoadReport &report)
{
    const QString file = QDir::toNativeSeparators(report.fileName);
    QStringList notes;
    if (!report.unreadable.isEmpty())
        notes << OptionStoreText::tr("cannot read the settings file %1: %2; the defaults are used")
                     .arg(file, report.unreadable);
    if (report.unparsed && !report.keptAside)
        notes << OptionStoreText::tr("cannot read all of the settings file %1; what could be read of it is used")
                     .arg(file);
    for (const ReplacedSetting &item : report.replaced)
        notes << OptionStoreText::tr("the stored option %1").arg(replacedText(item));
    return notes;
}

QString settingsSaveReportMessage(const SettingsSaveReport &report)
{
    QStringList lines;
    if (report.keptAside)
        lines << keptAsideMessage(report.fileName, *report.keptAside, false);
    if (!report.failure.isEmpty()) {
        lines << OptionStoreText::tr(
                     "The options could not be saved to %1: %2. They will not be remembered when Foliotrace "
                     "closes.")
                     .arg(QDir::toNativeSeparators(report.fileName), report.failure);
    }
    return lines.join(QStringLiteral("\n\n"));
}
