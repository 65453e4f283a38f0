#pragma once

#include "box_dates.h"
#include "clock.h"
#include "date_text.h"
#include "form_port.h"

#include <QString>
#include <QStringView>
#include <array>
#include <variant>

namespace tokivane {

// A judged range of the window, as the batch judges against it.
struct NamedRange {
    QStringView caption;
    QString start;
    QString end;
};

inline constexpr int kJudgedRangeCount = 9;
// 前回請求 and 今回請求, the first two, follow each row's closing day.
inline constexpr int kBillingRangeCount = 2;
using JudgedRanges = std::array<NamedRange, kJudgedRangeCount>;

// The row captions of the nine ranges, in the window's reading order.
inline constexpr std::array<QStringView, kJudgedRangeCount> kRangeCaptions{
    u"前回請求", u"今回請求", u"処理日の前日", u"加工残", u"年間累計",
    u"日報",     u"週報",     u"月報",         u"年報",
};

// What one judging of many records uses: the window's processing date and
// closing day, and the nine ranges Execute shows for them, in the window's
// reading order.
struct JudgingBasis {
    ProcessingDate processing;
    QString closingEntry;
    JudgedRanges ranges;
};

JudgedRanges judgedRangesOf(const ProcessingDate& processing, QStringView closingEntry,
                            const Clock& clock);

// The basis of the window's inputs, or the message Execute would show for them.
std::variant<JudgingBasis, QString> judgingBasisOf(const FormPort& form, const Clock& clock);

// One bit per range, in the order of `ranges`: set when the range holds the
// date, by the rule the window's judgement fields use.
quint16 judgementsOf(const JudgedRanges& ranges, Date date);

} // namespace tokivane
