#include "listing/ListingFormat.h"

#include "listing/NumberText.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <ctime>
#include <limits>

namespace ListingFormat {

QLocale effectiveLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString shortDateFormatFourDigitYear(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString widened;
    widened.reserve(format.size() + 2);
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            widened += c;
            ++i;
            continue;
        }
        if (!quoted && c == u'y') {
            qsizetype run = 0;
            while (i + run < format.size() && format.at(i + run) == u'y')
                ++run;
            widened += QStringLiteral("yyyy");
            i += run;
            continue;
        }
        widened += c;
        ++i;
    }
    return widened;
}

QString shortDateText(const QDate &date, const QLocale &locale)
{
    const QLocale effective = effectiveLocale(locale);
    return effective.toString(date, shortDateFormatFourDigitYear(effective));
}

namespace {

std::optional<NumberText::Decimal> readWidthNumber(const QString &text)
{
    return NumberText::read(text, {.skipped = u" \t\n", .sign = true, .fraction = true, .exponent = true});
}

} // namespace

ColumnWidth readWidth(const QString &text)
{
    return readWidthNumber(text).value_or(ColumnWidth::of(0));
}

bool isWholeWidth(const QString &text)
{
    const std::optional<NumberText::Decimal> number = readWidthNumber(text);
    return number && number->complete && !(number->negative && !number->digits.isEmpty());
}

int depthLevels(const QString &depthText)
{
    const std::optional<NumberText::Decimal> number = NumberText::read(depthText, {});
    if (!number || !number->complete)
        return 1;
    return int(number->rounded(1, MaxDepth));
}

void appendName(QString &out, QByteArrayView nativeName)
{
    const char *data = nativeName.data();
    const qsizetype size = nativeName.size();
    unsigned char any = 0;
    for (qsizetype i = 0; i < size; ++i)
        any |= static_cast<unsigned char>(data[i]);
    if (any < 0x80)
        out.append(QLatin1StringView(data, size));
    else
        out.append(QFile::decodeName(nativeName.toByteArray()));
}

void appendBlanks(QString &out, qsizetype count)
{
    static const QString blanks(64, QLatin1Char(' '));
    while (count > 0) {
        const qsizetype chunk = std::min(count, blanks.size());
        out.append(QStringView(blanks).first(chunk));
        count -= chunk;
    }
}

qsizetype indentOf(ListingRowKind kind, int level)
{
    if (kind == ListingRowKind::Folder)
        return 4 * qsizetype(level - 1);
    switch (level) {
    case 0:
        return 0;
    case 1:
        return 2;
    case 2:
        return 5;
    default:
        return 4 * qsizetype(level - 1) + 6;
    }
}

QStringList problemLines(const ListingText &listing, qsizetype limit)
{
    const qsizetype count = listing.problems.size();
    const qsizetype shown = std::clamp<qsizetype>(limit, 0, count);
    QStringList lines;
    lines.reserve(shown + 1);
    for (qsizetype i = 0; i < shown; ++i) {
        const ListingProblem &problem = listing.problems.at(i);
        lines.append(QFile::decodeName(problem.path) + QLatin1String(": ") + problem.reason);
    }
    if (count > shown)
        lines.append(QCoreApplication::translate("Listing", "\u2026 and %L1 more").arg(count - shown));
    return lines;
}

SizeCellWriter::SizeCellWriter(const QLocale &locale) : m_locale(locale), m_group(locale.groupSeparator())
{
    // The fast path writes digits itself; it must agree with what the locale writes.
    const QString grouped = QLatin1String("1") + m_group + QLatin1String("234") + m_group + QLatin1String("567");
    const QString written = locale.toString(qlonglong(1234567));
    if (written == grouped) {
        m_plainDigits = true;
    } else if (written == QLatin1String("1234567")) {
        m_plainDigits = true;
        m_group.clear();
    }
}

void SizeCellWriter::append(QString &out, qint64 bytes) const
{
    // Whole kilobytes, a half going up; written without overflow for any input.
    qint64 kilobytes = bytes / 1024;
    const qint64 rest = bytes % 1024;
    if (rest >= 512)
        ++kilobytes;
    else if (rest < -512)
        --kilobytes;

    if (!m_plainDigits || kilobytes < 0) {
        out += m_locale.toString(qlonglong(kilobytes));
        return;
    }
    char16_t digits[20];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + kilobytes % 10);
        kilobytes /= 10;
    } while (kilobytes > 0);
    for (int i = count - 1; i >= 0; --i) {
        out.append(QChar(digits[i]));
        if (i > 0 && i % 3 == 0 && !m_group.isEmpty())
            out.append(m_group);
    }
}

DateCellWriter::DateCellWriter(const QLocale &locale) : m_locale(locale), m_format(shortDateFormatFourDigitYear(locale))
{}

void DateCellWriter::append(QString &out, FileTime time)
{
    const qint64 seconds = time.time_since_epoch().count();
    if (seconds >= m_dayStart && seconds < m_dayEnd) {
        out += m_dayText;
        return;
    }

    int year = 0;
    int month = 0;
    int day = 0;
    bool cacheDay = false;
    qint64 start = 0;
    struct tm local;
    const time_t t = time_t(seconds);
    if (seconds >= std::numeric_limits<time_t>::min() && seconds <= std::numeric_limits<time_t>::max()
        && localtime_r(&t, &local)) {
        year = local.tm_year + 1900;
        month = local.tm_mon + 1;
        day = local.tm_mday;
        // The C library counts a year 0; the calendar goes from 1 BC to AD 1.
        if (year <= 0)
            --year;
        // The whole local day can reuse this text when its UTC offset does not change.
        start = seconds - (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
        const time_t startT = time_t(start);
        const time_t lastT = time_t(start + 86399);
        struct tm first;
        struct tm last;
        cacheDay = localtime_r(&startT, &first) && localtime_r(&lastT, &last) && first.tm_gmtoff == local.tm_gmtoff
                   && last.tm_gmtoff == local.tm_gmtoff && first.tm_mday == local.tm_mday
                   && last.tm_mday == local.tm_mday && first.tm_hour == 0 && first.tm_min == 0 && first.tm_sec == 0;
    } else {
        // Beyond the C library's range: QDateTime still knows the calendar.
        const QDate date = QDateTime::fromSecsSinceEpoch(seconds).date();
        if (!date.isValid())
            return;
        year = date.year();
        month = date.month();
        day = date.day();
    }

    const QString text = m_locale.toString(QDate(year, month, day), m_format);
    out += text;
    if (cacheDay) {
        m_dayStart = start;
        m_dayEnd = start + 86400;
        m_dayText = text;
    }
}

} // namespace ListingFormat
