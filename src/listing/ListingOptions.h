#pragma once

#include <QByteArray>
#include <QString>

// One reading of the option set, taken when a build starts; later edits of
// the window's controls do not reach a running build.
struct ListingOptions
{
    QString path;          // the selected folder, as the path label shows it
    QByteArray nativePath; // when set, opened instead of path (a name that is not UTF-8)
    int printFiles = 1;    // check states: 0 off, 1 on, 2 grayed (only 1 is "on")
    int printSize = 1;
    int printDate = 1;
    QString depthText = QStringLiteral("1");
    QString dirColWidth = QStringLiteral("4000");
    QString sizeColWidth = QStringLiteral("1000");
    QString dateColWidth = QStringLiteral("1000");
    QString dirIndicator = QStringLiteral("+");
    QString fileIndicator = QStringLiteral("-");
    bool keepDetails = false; // fill ListingText::details and nativeNames, for exports
    qint64 maxBytes = 0;      // what the listing may take; 0: listingSizeBound()
};
