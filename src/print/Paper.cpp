#include "print/Paper.h"

#include "print/PageSetup.h"
#include "print/PrintError.h"
#include "print/PrintServer.h"

#include <QLocale>

#include <chrono>
#include <optional>

Paper Paper::ofDefaultPrinter()
{
    // A preview waits no more than this for the print server, so the window
    // takes events again within 2 s.
    constexpr std::chrono::milliseconds Patience(1500);
    QString problem;
    QString named;
    try {
        const PrintServer::Queue queue = PrintServer(Patience).defaultQueue();
        const QString printer = QString::fromLocal8Bit(queue.name);
        if (const std::optional<QPageSize> size = PrintServer::paperFor(queue.media))
            return {*size, tr("%1 paper, the default printer's (%2).").arg(size->key(), printer), printer};
        problem = tr("The default printer %1 names no paper size.").arg(printer);
        named = printer;
    } catch (const PrintError &error) {
        problem = error.message();
    }
    const QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                    : QPageSize::A4);
    return {size, tr("%1 paper, this locale's usual size. %2").arg(size.key(), problem), named};
}

Paper Paper::of(const PageSetup &setup)
{
    return setup.paper ? Paper{*setup.paper, {}, {}} : ofDefaultPrinter();
}
