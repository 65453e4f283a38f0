#pragma once

#include <QString>

namespace tokivane {

inline constexpr QStringView kYes = u"Yes";
inline constexpr QStringView kNo = u"No";

// "Yes" when the record's comparison key lies within [start, end], both ends
// included, comparing keys by character code.
QString judgement(const QString& startDate, const QString& recordDate, const QString& endDate);

// A range as its row shows it, with the judgement of the record date.
struct JudgedRange {
    QString start;
    QString end;
    QString judgement;
};

} // namespace tokivane
