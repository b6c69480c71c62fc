#pragma once

#include <QString>

class QSettings;

// What "Save As…" remembers between runs, in a group of its own beside the
// ten options ("Save As" in the same settings file): the folder it last
// saved into and the file type last chosen ("pdf", "csv", ...). Empty when
// nothing is remembered yet.
struct SaveAsMemory
{
    QString folder;
    QString type;
};

// Read through the options' store, which never waits on the file; empty
// when it cannot be read.
SaveAsMemory loadSaveAsMemory();
// Written by the options' store (saveOptions), in the same step as
// the options: a file it cannot parse is set aside first, and told.
void writeSaveAsMemory(QSettings &store, const SaveAsMemory &memory);
