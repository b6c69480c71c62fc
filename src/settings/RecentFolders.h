#pragma once

#include "settings/OptionStore.h"

#include <QByteArray>
#include <QList>

// The folders selected last, newest first, in a group of their own
// ("Recent Folders") of the options' settings file, each as its native
// bytes so that any name comes back unchanged.
namespace RecentFolders {

inline constexpr qsizetype Limit = 10;

// folders with folder put first: once only, Limit at most.
QList<QByteArray> added(QList<QByteArray> folders, const QByteArray &folder);

// What the file holds: entries that are no absolute path, repeats and any
// past the tenth left out. Empty when the file cannot be read.
QList<QByteArray> load();
// Through the options' store, under its rules.
SettingsSaveReport store(const QList<QByteArray> &folders);

} // namespace RecentFolders
