#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The kinds of file a listing is saved as.
enum class ExportFormat { Pdf, Csv, Html, Json, Text, Tsv, Xlsx };

namespace ExportFormats {

// Every format, in the order a file dialog offers them.
inline constexpr ExportFormat All[] = {ExportFormat::Pdf,  ExportFormat::Xlsx, ExportFormat::Csv, ExportFormat::Html,
                                       ExportFormat::Json, ExportFormat::Text, ExportFormat::Tsv};

// "pdf", "xlsx", "csv", "html", "json", "txt", "tsv": the format's name and its file extension.
QString name(ExportFormat format);
// A name or an extension, in any letter case ("HTM" and "text" too).
// The names in one line, for messages: "pdf, xlsx, …, txt or tsv".
QString nameList();
std::optional<ExportFormat> named(QStringView name);
// By the file name's extension.
std::optional<ExportFormat> ofFile(QStringView fileName);
// "CSV table (*.csv)", for a file dialog.
QString fileFilter(ExportFormat format);

} // namespace ExportFormats
