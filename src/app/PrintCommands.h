#pragma once

#include "listing/ListingText.h"
#include "print/ListingComposer.h"
#include "print/PrintJob.h"

#include <QObject>

#include <functional>

class BuildSession;
class OptionSet;
class PreviewSurface;
struct Paper;
class QWidget;

// The window's page and printer commands: the listing laid out by the page
// setup, "Page Setup…", "Print" (asking first before a long job) and
// "Print…", and the remedy the too-wide warning offers. The window keeps
// the walk and its states; what fails here is told here, as the window
// tells it.
class PrintCommands : public QObject
{
    Q_OBJECT

public:
    // A job of more pages asks before it goes to the printer.
    static constexpr int PagesWithoutAsking = 100;

    PrintCommands(QWidget *window, OptionSet &options, PreviewSurface &surface, BuildSession &session);

    // Lays listing out as page says on paper and shows it, yielding to the
    // build session as it goes. Both are kept, so that a new page setup lays
    // the same listing out again at once, without another walk.
    void show(const ListingText &listing, const PageOptions &page, const Paper &paper);

    // When the table shown reaches past the right margin: says so, and
    // offers to fit the columns to the page width.
    void warnIfTooWide();

    // "Print": the document shown to the default printer, with a question
    // first when it has more than PagesWithoutAsking pages. True when it went.
    bool print();
    // "Print…": the print dialog first. True when it went.
    bool printWithDialog();
    // "Page Setup…": a new choice is stored and the document laid out again.
    void pageSetup();

private:
    bool runSteps(const std::function<void()> &steps);
    bool send(const PrintJob &job);
    void changePageSetup(const PageSetup &setup);
    void layOutAgain();

    QWidget *m_window;
    OptionSet &m_options;
    PreviewSurface &m_surface;
    BuildSession &m_session;
    ListingText m_listing;
    PageOptions m_page;
};
