#include "app/SaveAsDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

SaveAsMemory SaveAsChoice::memory() const
{
    return {QFileInfo(fileName).absolutePath(), ExportFormats::name(format)};
}

std::optional<SaveAsChoice> askSaveAsFile(QWidget *parent, const QString &listedFolder)
{
    const QString folderName = QFileInfo(listedFolder).fileName();
    const QString suggestedName = folderName.isEmpty() ? QStringLiteral("listing") : folderName;
    using Format = ExportFormat;
    const SaveAsMemory memory = loadSaveAsMemory();
    const Format format = ExportFormats::named(memory.type).value_or(Format::Pdf);
    const QString folder = QFileInfo(memory.folder).isDir() ? memory.folder : QDir::homePath();

    QFileDialog dialog(parent, QFileDialog::tr("Save As"));
    dialog.setObjectName(QStringLiteral("saveAsDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (Format each : ExportFormats::All)
        filters.append(ExportFormats::fileFilter(each));
    dialog.setNameFilters(filters);
    dialog.setDirectory(folder);
    dialog.selectFile(suggestedName + u'.' + ExportFormats::name(format));
    dialog.selectNameFilter(ExportFormats::fileFilter(format));
    dialog.setDefaultSuffix(ExportFormats::name(format));
    // The extension follows the type as the user switches it: Qt's own
    // dialog changes the name itself, a desktop's native one may not.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &filter) {
        const qsizetype chosen = filters.indexOf(filter);
        if (chosen < 0)
            return;
        const QString extension = ExportFormats::name(ExportFormats::All[chosen]);
        dialog.setDefaultSuffix(extension);
        const QFileInfo typed(dialog.selectedFiles().value(0));
        if (!typed.fileName().isEmpty() && ExportFormats::ofFile(typed.fileName()))
            dialog.selectFile(typed.completeBaseName() + u'.' + extension);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    // A name typed with another type's extension is saved in that type: a
    // file's name never says something other than what it holds.
    const QString fileName = dialog.selectedFiles().constFirst();
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    return SaveAsChoice{fileName, ExportFormats::ofFile(QFileInfo(fileName).fileName())
                                      .value_or(chosen >= 0 ? ExportFormats::All[chosen] : format)};
}
