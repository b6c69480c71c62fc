#include "settings/RecentFolders.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Recent Folders");
const QString kFolders = QStringLiteral("Folders");

} // namespace

namespace RecentFolders {

QList<QByteArray> added(QList<QByteArray> folders, const QByteArray &folder)
{
    folders.removeAll(folder);
    folders.prepend(folder);
    if (folders.size() > Limit)
        folders.resize(Limit);
    return folders;
}

QList<QByteArray> load()
{
    const std::unique_ptr<QSettings> settings = openSettingsToRead();
    if (!settings)
        return {};
    const QVariantList stored = settings->value(kGroup + u'/' + kFolders).toList();
    QList<QByteArray> folders;
    for (auto it = stored.crbegin(); it != stored.crend(); ++it) {
        const QByteArray folder = it->toByteArray();
        if (folder.startsWith('/'))
            folders = added(folders, folder);
    }
    return folders;
}

SettingsSaveReport store(const QList<QByteArray> &folders)
{
    QVariantList list;
    for (const QByteArray &folder : folders)
        list.append(folder);
    return saveSettings([&list](QSettings &settings) { settings.setValue(kGroup + u'/' + kFolders, list); });
}

} // namespace RecentFolders
