#include "app/PageSetupOptions.h"

#include "settings/PageSetupStore.h"

namespace {

static_assert(StoredPageSetup::MinTextPercent == PageSetup::MinTextPercent
              && StoredPageSetup::MaxTextPercent == PageSetup::MaxTextPercent);

constexpr qreal PointsPerMillimetre = 72 / 25.4;

} // namespace

PageSetup loadStoredPageSetup(QList<ReplacedSetting> &replaced)
{
    const StoredPageSetup stored
        = loadPageSetup([](const QString &name) { return PageSetups::paperNamed(name).has_value(); }, replaced);
    PageSetup setup;
    if (stored.paper != StoredPageSetup().paper)
        setup.paper = PageSetups::paperNamed(stored.paper);
    setup.orientation = stored.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    setup.margins = stored.margins * PointsPerMillimetre;
    setup.fitWidth = stored.fitWidth;
    setup.textPercent = stored.textPercent;
    return setup;
}

SettingsWriter pageSetupWriter(const PageSetup &setup)
{
    StoredPageSetup stored;
    if (setup.paper)
        stored.paper = PageSetups::paperName(*setup.paper);
    stored.landscape = setup.orientation == QPageLayout::Landscape;
    stored.margins = setup.margins / PointsPerMillimetre;
    stored.fitWidth = setup.fitWidth;
    stored.textPercent = setup.textPercent;
    return [stored](QSettings &store) { writePageSetup(store, stored); };
}
