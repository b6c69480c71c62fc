#include "settings/PageSetupStore.h"

#include <QSettings>

#include <array>
#include <cmath>
#include <optional>

namespace {

const QString kGroup = QStringLiteral("Page Setup");
const QString kPaper = QStringLiteral("Paper");
const QString kOrientation = QStringLiteral("Orientation");
const QString kFitWidth = QStringLiteral("Fit Width");
const QString kTextSize = QStringLiteral("Text Size");
const std::array<QString, 4> kMargins{QStringLiteral("Left Margin"), QStringLiteral("Top Margin"),
                                      QStringLiteral("Right Margin"), QStringLiteral("Bottom Margin")};
const QString kPortrait = QStringLiteral("Portrait");
const QString kLandscape = QStringLiteral("Landscape");

// Wider than any paper's half: a margin past it is no margin anyone set.
constexpr double MaxMargin = 500;

std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    const std::optional<int> number = parseStoredWholeNumber(text);
    return number && *number >= low && *number <= high ? number : std::nullopt;
}

std::optional<double> millimetres(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && value >= 0 && value <= MaxMargin ? std::optional(value) : std::nullopt;
}

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

StoredPageSetup loadPageSetup(const PaperCheck &isPaper, QList<ReplacedSetting> &replaced)
{
    StoredPageSetup setup;
    const std::unique_ptr<QSettings> store = openSettingsToRead();
    if (!store)
        return setup;
    store->beginGroup(kGroup);
    // A value stored is used when read reads it; else its default stays, and is told.
    const auto take = [&](const QString &key, const QString &defaultText, const auto &read) {
        if (!store->contains(key))
            return;
        const QString text = store->value(key).toString();
        if (text.size() > StoredTextLimit || !read(text))
            replaced.append({kGroup + u'/' + key, text, defaultText});
    };
    take(kPaper, setup.paper, [&](const QString &text) {
        const bool known = text == setup.paper || (isPaper && isPaper(text));
        if (known)
            setup.paper = text;
        return known;
    });
    take(kOrientation, kPortrait, [&](const QString &text) {
        setup.landscape = text.compare(kLandscape, Qt::CaseInsensitive) == 0;
        return setup.landscape || text.compare(kPortrait, Qt::CaseInsensitive) == 0;
    });
    const std::array<double, 4> margins{setup.margins.left(), setup.margins.top(), setup.margins.right(),
                                        setup.margins.bottom()};
    std::array<double, 4> taken = margins;
    for (size_t side = 0; side < kMargins.size(); ++side) {
        take(kMargins[side], number(margins[side]), [&](const QString &text) {
            const std::optional<double> value = millimetres(text);
            taken[side] = value.value_or(margins[side]);
            return value.has_value();
        });
    }
    setup.margins = QMarginsF(taken[0], taken[1], taken[2], taken[3]);
    take(kFitWidth, QStringLiteral("0"), [&](const QString &text) {
        const std::optional<int> value = wholeNumber(text, 0, 1);
        setup.fitWidth = value == 1;
        return value.has_value();
    });
    take(kTextSize, QString::number(setup.textPercent), [&](const QString &text) {
        const std::optional<int> value
            = wholeNumber(text, StoredPageSetup::MinTextPercent, StoredPageSetup::MaxTextPercent);
        setup.textPercent = value.value_or(setup.textPercent);
        return value.has_value();
    });
    return setup;
}

void writePageSetup(QSettings &store, const StoredPageSetup &setup)
{
    store.beginGroup(kGroup);
    store.setValue(kPaper, setup.paper);
    store.setValue(kOrientation, setup.landscape ? kLandscape : kPortrait);
    const std::array<double, 4> margins{setup.margins.left(), setup.margins.top(), setup.margins.right(),
                                        setup.margins.bottom()};
    for (size_t side = 0; side < kMargins.size(); ++side)
        store.setValue(kMargins[side], number(margins[side]));
    store.setValue(kFitWidth, QString::number(int(setup.fitWidth)));
    store.setValue(kTextSize, QString::number(setup.textPercent));
    store.endGroup();
}
