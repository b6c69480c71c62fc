#include "listing/ListingChoices.h"

#include "listing/NamePattern.h"

#include <QCoreApplication>

#include <array>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ListingChoices", text);
}

const std::array kOrderWords{QStringLiteral("name"), QStringLiteral("size"), QStringLiteral("date"),
                             QStringLiteral("extension")};
const std::array kSizesWords{QStringLiteral("length"), QStringLiteral("disk")};

template<typename Enum, size_t N>
std::optional<Enum> fromWord(const std::array<QString, N> &words, const QString &word)
{
    for (size_t i = 0; i < N; ++i) {
        if (word == words[i])
            return Enum(i);
    }
    return std::nullopt;
}

} // namespace

namespace ListingChoiceText {

QStringList splitPatterns(const QString &text)
{
    QStringList patterns;
    for (const QString &part : text.split(u';')) {
        if (const QString pattern = part.trimmed(); !pattern.isEmpty())
            patterns.append(pattern);
    }
    return patterns;
}

QString joinPatterns(const QStringList &patterns)
{
    return patterns.join(QStringLiteral("; "));
}

QString patternsProblem(const QStringList &patterns)
{
    for (const QString &pattern : patterns) {
        if (QString problem = NamePattern::problem(pattern); !problem.isEmpty())
            return problem;
    }
    return {};
}

QString orderWord(ListingOrder order)
{
    return kOrderWords.at(size_t(order));
}

std::optional<ListingOrder> orderFromWord(const QString &word)
{
    return fromWord<ListingOrder>(kOrderWords, word);
}

QString sizesWord(SizeMeasure sizes)
{
    return kSizesWords.at(size_t(sizes));
}

std::optional<SizeMeasure> sizesFromWord(const QString &word)
{
    return fromWord<SizeMeasure>(kSizesWords, word);
}

QString summary(const ListingChoices &choices)
{
    QStringList parts;
    if (!choices.include.isEmpty())
        parts << tr("only %1").arg(joinPatterns(choices.include));
    if (!choices.skip.isEmpty())
        parts << tr("skipping %1").arg(joinPatterns(choices.skip));
    if (choices.matchCase && !(choices.include.isEmpty() && choices.skip.isEmpty()))
        parts << tr("matching case");
    if (!choices.hidden)
        parts << tr("hidden entries left out");
    if (choices.pruneEmpty)
        parts << tr("folders with nothing listed left out");
    if (choices.oneFileSystem)
        parts << tr("other file systems not entered");
    if (choices.sizes == SizeMeasure::DiskUsage)
        parts << tr("sizes on disk");
    if (choices.linksOnce)
        parts << tr("hard links counted once");
    QString line = parts.join(QStringLiteral(" \u00b7 "));
    if (!line.isEmpty())
        line[0] = line[0].toUpper();
    return line;
}

} // namespace ListingChoiceText
