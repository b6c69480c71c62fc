#include "print/PrintComposer.h"
#include "print/WaitCursor.h"

#include "listing/ListingFormat.h"
#include "listing/ListingText.h"
#include "print/PreviewSurface.h"

#include <QDate>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

qint32 toInt32(double value)
{
    const double rounded = std::nearbyint(value);    // halves to even in the default mode
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint32>::min()
        || rounded > std::numeric_limits<qint32>::max())
        throw std::overflow_error("table setup value out of range");
    return qint32(rounded);
}

} // namespace

PrintComposer::PrintComposer(PreviewSurface *vsp1, PrintDataSource *window, QObject *parent)
    : QObject(parent)
    , m_vsp1(vsp1)
    , m_window(window)
{
    connect(m_vsp1, &PreviewSurface::BeforeTableText, this, &PrintComposer::vsp1_BeforeTableText);
}

PrintComposer::~PrintComposer() = default;

std::optional<int> PrintComposer::gridStyleFor(const QString &gridText)
{
    if (gridText == QLatin1String("None"))
        return 0;
    if (gridText == QLatin1String("Rows"))
        return 8;
    if (gridText == QLatin1String("Top & Bottom"))
        return 3;
    if (gridText == QLatin1String("All"))
        return 7;
    return std::nullopt;
}

int PrintComposer::rowPointSize(const QString &text, const QString &dirIndicator)
{
    // Spaces only: QStringView::trimmed() would also strip a tab or a
    // no-break space that the user chose as the mark.
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    const QStringView mark = QStringView(text).mid(first, 1);     // empty when nothing but spaces
    return mark == QStringView(dirIndicator) ? 10 : 8;
}

QString PrintComposer::pageLabel(int shownPage, int pageTotal)
{
    return tr("Page %1 of %2").arg(shownPage).arg(pageTotal);
}

void PrintComposer::SendPrintData()
{
    WaitCursor hourglass;
    m_vsp1->PreviewMode(true);
    if (const std::optional<int> grid = gridStyleFor(m_window->gridText()))
        m_vsp1->TableGridStyle(*grid);
    m_vsp1->TextFontFace(QStringLiteral("Arial"));
    m_vsp1->BeginDocument();
    // The same four-digit-year date as the title, so one page never mixes two forms.
    m_vsp1->PageHeaderText(m_window->pathCaption().toUpper() + QStringLiteral("||")
                           + ListingFormat::shortDateText(QDate::currentDate()));
    m_vsp1->TextBold(true);
    m_vsp1->TextPointSize(11);
    m_vsp1->AppendParagraph(m_window->titleText());
    m_vsp1->TextBold(false);
    m_vsp1->TextPointSize(8);
    m_vsp1->TableSetupTarget(toInt32(m_vsp1->TableSetupSource()));
    m_vsp1->TableSetupValue(1200);

    // The hourglass above stays under whatever the build pushes and pops,
    // so the pointer is the hourglass again the moment the build returns.
    m_window->CreatString(QStringLiteral("|"), QStringLiteral(";"));

    m_dirIndicator = m_window->dirIndicator();
    m_vsp1->AppendTable(m_window->listingText());
    m_vsp1->PageFooterText(QStringLiteral("||") + tr("Page %d"));
    m_vsp1->FinishDocument();
    m_window->setPageLabel(pageLabel(m_vsp1->ShownPage(), m_vsp1->PageTotal()));
}

void PrintComposer::vsp1_BeforeTableText(int row, int column, const QString &text)
{
    Q_UNUSED(row);
    Q_UNUSED(column);
    m_vsp1->TextPointSize(rowPointSize(text, m_dirIndicator));
}
