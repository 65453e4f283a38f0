#pragma once

#include "collection_terms.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <variant>

namespace tokivane {

// How a master counts pay months written as numbers: most write 0 for 当月
// and 1 for 翌月, some 1 for 当月 and 2 for 翌月.
enum class MonthCounting : quint8 { ZeroIsThisMonth, OneIsThisMonth };

// Why a master's cell was not read, in a few words for the 備考 column.
struct ValueError {
    QString reason;
};

// 回収月: 当月, 翌月, 翌々月, Nか月後, or a number counted as `counting` says;
// months after the closing month.
std::variant<int, ValueError> readPayMonth(QStringView cell, MonthCounting counting);

// 回収日: 1 to 30, or 末日 written 31, 99, 末, 末日 or 月末.
std::variant<int, ValueError> readPayDayCell(QStringView cell);

// 休日の扱い: words (前営業日, 前倒し, 翌営業日, 後倒し, 先送り, そのまま,
// 変更しない, なし) or the codes 0 そのまま, 1 前倒し, 2 後倒し.
std::variant<HolidayRule, ValueError> readHolidayCell(QStringView cell);

// A cell's value with full-width letters and digits folded and blanks
// around it taken off.
QString foldedValue(QStringView cell);

} // namespace tokivane
