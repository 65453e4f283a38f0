#pragma once

#include <QStringView>

// The messages Execute and the calculators show, word for word.
namespace tokivane::messages {

inline constexpr QStringView kEnterProcessingDate = u"日付を入力してください";
inline constexpr QStringView kEnterRecordDate = u"日付判定日を入力してください。";
inline constexpr QStringView kSelectClosingDay = u"締め日を選択してください";
inline constexpr QStringView kInvalidProcessingDate = u"処理日を正しい日付で入力してください";
inline constexpr QStringView kProcessingDateTooEarly =
    u"処理日は02/01/01以降の日付で入力してください";
inline constexpr QStringView kInvalidRecordDate = u"記録日を正しい日付で入力してください";

} // namespace tokivane::messages
