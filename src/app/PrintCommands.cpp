#include "app/PrintCommands.h"

#include "app/BuildSession.h"
#include "app/CommandSteps.h"
#include "app/OptionSet.h"
#include "app/PageSetupOptions.h"
#include "app/PreviewSurface.h"
#include "app/PrintDialogs.h"
#include "app/WaitCursor.h"
#include "app/WindowMessage.h"
#include "print/DocumentOutput.h"
#include "print/Paper.h"
#include "print/PrintError.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

PrintCommands::PrintCommands(QWidget *window, OptionSet &options, PreviewSurface &surface, BuildSession &session)
    : QObject(window), m_window(window), m_options(options), m_surface(surface), m_session(session)
{}

void PrintCommands::show(const ListingText &listing, const PageOptions &page, const Paper &paper)
{
    std::unique_ptr<PreviewDocument> document
        = ListingComposer::composeListing(listing, page, paper.size, page.grid.value_or(GridStyle::None), [&] {
              m_session.yield(listing.rows.size(), listing.problems.size(), QString());
          });
    m_listing = listing;
    m_page = page;
    m_surface.setDocument(std::move(document), paper.note, std::make_shared<const ListingSearch>(listing));
}

void PrintCommands::warnIfTooWide()
{
    const QString text = ListingComposer::widthWarning(m_surface.document(), m_listing);
    if (text.isEmpty())
        return;
    QMessageBox *box = showWindowMessage(m_window, QMessageBox::Warning, text);
    QPushButton *fit = box->addButton(tr("&Fit to Page Width"), QMessageBox::AcceptRole);
    fit->setObjectName(QStringLiteral("fitWidth"));
    connect(fit, &QPushButton::clicked, this, [this] {
        PageSetup setup = m_options.pageSetup();
        setup.fitWidth = true;
        // Once the message has gone.
        QTimer::singleShot(0, this, [this, setup] { changePageSetup(setup); });
    });
}

bool PrintCommands::print()
{
    PrintJob job;
    const int pages = m_surface.pageTotal();
    if (pages > PagesWithoutAsking) {
        // Named in the question, and then printed on: the default cannot change in between.
        const bool named = runSteps([&] {
            BuildSession::Scope asking(m_session);
            job.printer = DocumentOutput::defaultPrinter([this](const QString &status) { m_session.yield(status); });
        });
        if (!named)
            return false;
        const auto answer = QMessageBox::question(m_window, m_window->windowTitle(),
                                                  tr("Print %L1 pages on %2?").arg(pages).arg(job.printer),
                                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    return send(job);
}

bool PrintCommands::printWithDialog()
{
    // Asked within our own bound first: Qt's dialog would wait a minute on
    // a print server that takes the connection and never answers.
    QString printer;
    const bool answered = runSteps([&] {
        BuildSession::Scope asking(m_session);
        try {
            printer = DocumentOutput::defaultPrinter([this](const QString &status) { m_session.yield(status); });
        } catch (const PrintError &error) {
            if (error.cause() != PrintError::Cause::NoDefaultPrinter)
                throw;
        }
    });
    if (!answered)
        return false;
    const std::optional<PrintJob> job = askPrintJob(m_window, m_surface.pageTotal(), printer);
    return job && send(*job);
}

bool PrintCommands::send(const PrintJob &job)
{
    // With the progress strip and Cancel while it is handed over.
    return runSteps([&] {
        BuildSession::Scope handingOver(m_session);
        DocumentOutput::print(m_surface.document(), job, [this](const QString &status) { m_session.yield(status); });
    });
}

void PrintCommands::pageSetup()
{
    Paper paper;
    {
        WaitCursor hourglass;
        paper = Paper::ofDefaultPrinter();
    }
    const PageSetup current = m_options.pageSetup();
    if (const std::optional<PageSetup> chosen = askPageSetup(m_window, current, paper); chosen && *chosen != current)
        changePageSetup(*chosen);
}

void PrintCommands::changePageSetup(const PageSetup &setup)
{
    m_options.setPageSetup(setup);
    const SettingsSaveReport report = saveSettings(pageSetupWriter(setup));
    if (const QString note = settingsSaveReportMessage(report); !note.isEmpty())
        showWindowMessage(m_window, QMessageBox::Warning, note);
    layOutAgain();
}

void PrintCommands::layOutAgain()
{
    if (m_surface.pageTotal() < 1)
        return;
    const bool laidOut = runSteps([this] {
        WaitCursor hourglass;
        BuildSession::Scope running(m_session);
        m_surface.beginReplacing();
        auto keepEarlier = qScopeGuard([this] { m_surface.keepEarlierDocument(); });
        PageOptions page = m_page;
        page.setup = m_options.pageSetup();
        show(m_listing, page, Paper::of(page.setup));
        keepEarlier.dismiss();
    });
    if (laidOut)
        warnIfTooWide();
}

bool PrintCommands::runSteps(const std::function<void()> &steps)
{
    const StepsOutcome outcome = runCommandSteps(steps);
    if (!outcome.failure.isEmpty())
        showWindowMessage(m_window, QMessageBox::Warning, outcome.failure);
    return outcome.completed;
}
