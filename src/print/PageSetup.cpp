#include "print/PageSetup.h"

#include "print/PreviewDocument.h"
#include "print/PrintServer.h"

QPageLayout PageSetup::layout(const QPageSize &printerPaper) const
{
    const QPageSize size = paper && paper->isValid() ? *paper : printerPaper;
    QPageLayout page(size, orientation, QMarginsF(), QPageLayout::Point);
    // A tenth of the paper at least stays between the margins, so that a
    // stored value never leaves a page with no room for a letter.
    const QSizeF room = page.fullRect(QPageLayout::Point).size() * 0.9;
    const bool fits = margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 && margins.bottom() >= 0
                      && margins.left() + margins.right() <= room.width()
                      && margins.top() + margins.bottom() <= room.height();
    constexpr qreal Inch = PreviewDocument::Margin / 20.0;
    page.setMargins(fits ? margins : QMarginsF(Inch, Inch, Inch, Inch));
    return page;
}

namespace PageSetups {

std::optional<QPageSize> paperNamed(QStringView name)
{
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const auto known = QPageSize::PageSizeId(id);
        if (known != QPageSize::Custom && name.compare(QPageSize::key(known), Qt::CaseInsensitive) == 0)
            return QPageSize(known);
    }
    return PrintServer::paperFor(name.toUtf8());
}

QString paperName(const QPageSize &paper)
{
    if (paper.id() != QPageSize::Custom)
        return paper.key();
    const QSizeF mm = paper.size(QPageSize::Millimeter);
    return QStringLiteral("custom_foliotrace_%1x%2mm").arg(mm.width()).arg(mm.height());
}

} // namespace PageSetups
