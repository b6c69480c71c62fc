#pragma once

#include "print/ListingExport.h"

#include <QString>

#include <optional>

class QWidget;

struct SaveAsChoice
{
    QString fileName;
    ListingExport::Format format;
};

// The standard file dialog of "Save As…", one file type per format. It
// opens in the folder and on the type used last, suggests a name after the
// listed folder's, and gives the name the type's extension when it has none.
// The folder and type chosen are remembered at once. Nothing when the user
// cancels.
std::optional<SaveAsChoice> askSaveAsFile(QWidget *parent, const QString &listedFolder);
