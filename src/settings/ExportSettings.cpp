#include "settings/ExportSettings.h"

#include <QLoggingCategory>
#include <QSettings>

Q_LOGGING_CATEGORY(lcExportSettings, "foliotrace.settings.export")

namespace {

const QString kGroup = QStringLiteral("Save As");
const QString kFolder = QStringLiteral("Folder");
const QString kType = QStringLiteral("Type");

// The file the ten options live in.
QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Foliotrace"),
                     QStringLiteral("Foliotrace"));
}

} // namespace

SaveAsMemory loadSaveAsMemory()
{
    QSettings store = openStore();
    store.beginGroup(kGroup);
    return {store.value(kFolder).toString(), store.value(kType).toString()};
}

void rememberSaveAs(const SaveAsMemory &memory)
{
    QSettings store = openStore();
    store.beginGroup(kGroup);
    store.setValue(kFolder, memory.folder);
    store.setValue(kType, memory.type);
    store.endGroup();
    store.sync();
    if (store.status() != QSettings::NoError)
        qCWarning(lcExportSettings) << "could not remember the Save As folder in" << store.fileName();
}
