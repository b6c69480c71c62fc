#include "export/ExportFormat.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

struct FormatInfo
{
    ExportFormat format;
    const char *name;
    const char *filter;
};

const FormatInfo kFormats[] = {
    {ExportFormat::Pdf, "pdf", QT_TRANSLATE_NOOP("ExportFormat", "PDF document (*.pdf)")},
    {ExportFormat::Csv, "csv", QT_TRANSLATE_NOOP("ExportFormat", "CSV table (*.csv)")},
    {ExportFormat::Html, "html", QT_TRANSLATE_NOOP("ExportFormat", "Web page (*.html)")},
    {ExportFormat::Json, "json", QT_TRANSLATE_NOOP("ExportFormat", "JSON data (*.json)")},
    {ExportFormat::Text, "txt", QT_TRANSLATE_NOOP("ExportFormat", "Text (*.txt)")},
    {ExportFormat::Tsv, "tsv", QT_TRANSLATE_NOOP("ExportFormat", "Tab-separated text (*.tsv)")},
    {ExportFormat::Xlsx, "xlsx", QT_TRANSLATE_NOOP("ExportFormat", "Spreadsheet (*.xlsx)")},
};

const FormatInfo &info(ExportFormat format)
{
    return *std::find_if(std::begin(kFormats), std::end(kFormats),
                         [format](const FormatInfo &i) { return i.format == format; });
}

} // namespace

namespace ExportFormats {

QString name(ExportFormat format)
{
    return QString::fromLatin1(info(format).name);
}

QString nameList()
{
    QStringList names;
    for (ExportFormat format : All)
        names << name(format);
    const QString last = names.takeLast();
    return QCoreApplication::translate("ExportFormat", "%1 or %2").arg(names.join(QStringLiteral(", ")), last);
}

std::optional<ExportFormat> named(QStringView name)
{
    for (const FormatInfo &format : kFormats) {
        if (name.compare(QLatin1StringView(format.name), Qt::CaseInsensitive) == 0)
            return format.format;
    }
    if (name.compare(u"htm", Qt::CaseInsensitive) == 0)
        return ExportFormat::Html;
    if (name.compare(u"text", Qt::CaseInsensitive) == 0)
        return ExportFormat::Text;
    return std::nullopt;
}

std::optional<ExportFormat> ofFile(QStringView fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || fileName.indexOf(u'/', dot) >= 0)
        return std::nullopt;
    return named(fileName.sliced(dot + 1));
}

QString fileFilter(ExportFormat format)
{
    return QCoreApplication::translate("ExportFormat", info(format).filter);
}

} // namespace ExportFormats
