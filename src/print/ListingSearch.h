#pragma once

#include <QString>
#include <QStringView>

#include <future>
#include <vector>

struct ListingText;

// Find in the preview: the rows whose name holds a text, looked up in the
// listing's rows rather than in painted pages. The names are case-folded
// once, as the name order folds them, into one text that each step scans
// without a per-row call, so a step over a million rows stays quick. The
// folding runs on a thread of its own, started with the search, so showing
// a long listing does not wait for it; the first step waits if need be.
class ListingSearch
{
public:
    enum class Direction { Forward, Backward };

    ListingSearch() = default;
    // The names of the listing's rows, as the marks it was built with set
    // them apart from the indentation.
    explicit ListingSearch(const ListingText &listing);

    qsizetype rowCount() const { return m_index.valid() ? qsizetype(m_index.get().starts.size()) : 0; }

    // The first row after from (before it, backward) whose name holds text,
    // going round past the end; from itself comes last. -1: none, or an
    // empty text. from -1 starts before the first row (after the last).
    qsizetype find(QStringView text, qsizetype from, Direction direction) const;

private:
    struct Index
    {
        // Every folded name followed by a NUL, which no name or typed text holds.
        QString names;
        std::vector<qsizetype> starts;
    };
    static Index indexOf(const ListingText &listing);
    qsizetype rowAt(qsizetype position) const;

    // Its own copy of the listing's texts is shared, not copied, with the listing.
    std::shared_future<Index> m_index;
};
