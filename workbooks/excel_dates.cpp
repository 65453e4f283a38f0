#include "excel_dates.h"

#include <cmath>

namespace tokivane {

namespace {

using namespace std::chrono;

// The 1900 system's day 1 is 1900-01-01, but it counts a 29 February 1900,
// so from day 61 on, days count from 1899-12-30.
constexpr sys_days kBefore1900{year{1899} / December / 31};
constexpr sys_days kBefore1900AfterPhantom{year{1899} / December / 30};
constexpr sys_days k1904{year{1904} / January / 1};
constexpr double kPhantomDay = 60;
constexpr double kLastSerial1900 = 2958465; // 9999-12-31
constexpr sys_days kLastDay{year{9999} / December / 31};
constexpr double kSecondsPerDay = 86400;
constexpr int kLastFourDigitYear = 9999;

} // namespace

std::optional<year_month_day> dateOfSerial(double serial, DateSystem system) {
    if (!std::isfinite(serial) || serial < 0 || serial > kLastSerial1900 + 1)
        return std::nullopt;
    const auto day = static_cast<int>(std::floor(serial));
    sys_days date;
    if (system == DateSystem::From1904)
        date = k1904 + days{day};
    else if (day == 0 || day == kPhantomDay)
        return std::nullopt;
    else
        date = (day < kPhantomDay ? kBefore1900 : kBefore1900AfterPhantom) + days{day};
    if (date > kLastDay)
        return std::nullopt;
    return year_month_day{date};
}

std::optional<QString> dateTextOfSerial(double serial, DateSystem system) {
    if (const auto date = dateOfSerial(serial, system))
        return slashedDate(*date);
    if (system == DateSystem::From1900 && serial >= 0 && serial < kPhantomDay + 1) {
        const auto day = static_cast<int>(std::floor(serial));
        if (day == 0)
            return QStringLiteral("1900/01/00");
        if (day == kPhantomDay)
            return QStringLiteral("1900/02/29");
    }
    return std::nullopt;
}

QString timeTextOfSerial(double serial, bool seconds, bool elapsed) {
    if (!std::isfinite(serial) || serial < 0)
        return QString::number(serial);
    const double day = elapsed ? 0 : std::floor(serial);
    // Rounded to the second, as a workbook shows it.
    const auto total = static_cast<qint64>(std::llround((serial - day) * kSecondsPerDay));
    const qint64 hours = elapsed ? total / 3600 : (total / 3600) % 24;
    const qint64 minutes = total / 60 % 60;
    QString text = QStringLiteral("%1:%2").arg(hours).arg(minutes, 2, 10, QChar(u'0'));
    if (seconds)
        text += QStringLiteral(":%1").arg(total % 60, 2, 10, QChar(u'0'));
    return text;
}

std::optional<year_month_day> dateOfIsoText(QStringView text) {
    const QStringView day = text.left(10);
    if (day.size() != 10 || day[4] != u'-' || day[7] != u'-')
        return std::nullopt;
    bool yearOk = false;
    bool monthOk = false;
    bool dayOk = false;
    const year_month_day date{
        year{day.left(4).toInt(&yearOk)},
        month{static_cast<unsigned>(day.sliced(5, 2).toInt(&monthOk))},
        std::chrono::day{static_cast<unsigned>(day.sliced(8, 2).toInt(&dayOk))}};
    if (!yearOk || !monthOk || !dayOk || !date.ok())
        return std::nullopt;
    return date;
}

QString slashedDate(year_month_day date) {
    const int year = static_cast<int>(date.year());
    if (year >= 0 && year <= kLastFourDigitYear) {
        // Filled in place: a sheet may have a million dates.
        QString text = QStringLiteral("0000/00/00");
        const auto put = [&](qsizetype end, unsigned value) {
            for (qsizetype at = end; value > 0; --at, value /= 10)
                text[at] = QChar(u'0' + value % 10);
        };
        put(3, static_cast<unsigned>(year));
        put(6, static_cast<unsigned>(date.month()));
        put(9, static_cast<unsigned>(date.day()));
        return text;
    }
    return QStringLiteral("%1/%2/%3")
        .arg(static_cast<int>(date.year()), 4, 10, QChar(u'0'))
        .arg(static_cast<unsigned>(date.month()), 2, 10, QChar(u'0'))
        .arg(static_cast<unsigned>(date.day()), 2, 10, QChar(u'0'));
}

} // namespace tokivane
