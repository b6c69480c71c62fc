#pragma once

#include <QString>

// What "Save As…" remembers between runs, in a group of its own beside the
// ten options ("Save As" in the same settings file): the folder it last
// saved into and the file type last chosen ("pdf", "csv", ...). Empty when
// nothing is remembered yet.
struct SaveAsMemory
{
    QString folder;
    QString type;
};

SaveAsMemory loadSaveAsMemory();
// A failure to remember is logged and otherwise ignored: the file itself
// was saved, and the next dialog merely starts elsewhere.
void rememberSaveAs(const SaveAsMemory &memory);
