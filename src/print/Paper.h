#pragma once

#include <QCoreApplication>
#include <QPageSize>
#include <QString>

struct PageSetup;

// The paper a listing is laid out on, and why that one, for the window to
// tell ("A4 paper, this locale's usual size. The print server ... does not
// answer.").
struct Paper
{
    Q_DECLARE_TR_FUNCTIONS(Paper)

public:
    QPageSize size;
    QString note;    // empty when the caller chose it
    QString printer; // the default printer, when the print server named one in time

    // The default printer's paper, asked of the print server with at most
    // 1.5 s to answer, else the locale's usual size (Letter or A4).
    static Paper ofDefaultPrinter();
    // The page setup's paper, else the default printer's.
    static Paper of(const PageSetup &setup);
};
