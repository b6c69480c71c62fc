#include "settings/ExportSettings.h"

#include "settings/OptionStore.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Save As");
const QString kFolder = QStringLiteral("Folder");
const QString kType = QStringLiteral("Type");

} // namespace

SaveAsMemory loadSaveAsMemory()
{
    const std::unique_ptr<QSettings> store = openSettingsToRead();
    if (!store)
        return {};
    store->beginGroup(kGroup);
    return {store->value(kFolder).toString(), store->value(kType).toString()};
}

void writeSaveAsMemory(QSettings &store, const SaveAsMemory &memory)
{
    store.beginGroup(kGroup);
    store.setValue(kFolder, memory.folder);
    store.setValue(kType, memory.type);
    store.endGroup();
}
