#pragma once

#include <QObject>
#include <QString>

#include <optional>

struct ListingText;
class PreviewSurface;

// What the composer needs from the main window (frmMain implements it).
// Each member stands for one control or field of the window.
class PrintDataSource
{
public:
    virtual ~PrintDataSource() = default;

    virtual QString gridText() const = 0;        // text of cboGrid
    virtual QString pathCaption() const = 0;     // caption of lblPath
    virtual QString titleText() const = 0;       // text of txtTitle
    virtual QString dirIndicator() const = 0;    // the DirIndicator field, as the preview command set it

    // Rebuilds the listing fields with these separators. Throws what the
    // build throws; the composer lets it through.
    virtual void CreatString(const QString &cSeperator, const QString &rSeperator) = 0;
    // ListFormat, ListHeader, ListBody and the rows of the last build.
    virtual const ListingText &listingText() const = 0;

    virtual void setPageLabel(const QString &caption) = 0;   // caption of lblPrnt
};

// SendPrintData: composes the listing document on the surface vsp1 and
// styles its rows (folder rows 10 pt, everything else 8 pt).
class PrintComposer : public QObject
{
    Q_OBJECT

public:
    // Neither is owned; both must outlive the composer.
    PrintComposer(PreviewSurface *vsp1, PrintDataSource *window, QObject *parent = nullptr);
    ~PrintComposer() override;

    // Shows the hourglass while it runs and puts the pointer back however
    // it ends; anything thrown passes to the caller with the steps done so
    // far left in place.
    void SendPrintData();

    // The grid style a cboGrid text selects; no value for a text that
    // matches none (the surface then keeps its style).
    static std::optional<int> gridStyleFor(const QString &gridText);
    // The point size of a table text: 10 when its first character after
    // leading spaces equals the whole directory indicator, else 8.
    static int rowPointSize(const QString &text, const QString &dirIndicator);
    // "Page 1 of 3"
    static QString pageLabel(int shownPage, int pageTotal);

private:
    void vsp1_BeforeTableText(int row, int column, const QString &text);

    PreviewSurface *m_vsp1;
    PrintDataSource *m_window;
    QString m_dirIndicator;       // read once per composition
};
