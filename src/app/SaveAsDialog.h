#pragma once

#include "export/ListingExport.h"
#include "settings/ExportSettings.h"

#include <QString>

#include <optional>

class QWidget;

struct SaveAsChoice
{
    QString fileName;
    ExportFormat format;

    // Where the next dialog starts: this file's folder, on its type.
    SaveAsMemory memory() const;
};

// The standard file dialog of "Save As…", one file type per format. It
// opens in the folder and on the type used last, suggests a name after the
// listed folder's, and gives the name the type's extension when it has none.
// The window stores the choice's memory() with the options. Nothing when
// the user cancels.
std::optional<SaveAsChoice> askSaveAsFile(QWidget *parent, const QString &listedFolder);
