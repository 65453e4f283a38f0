#pragma once

#include <QString>
#include <array>

namespace tokivane {

// The labels whose captions the program sets. Each enumerator's value is the
// number in its control name, so Label24 is the window's "Label24".
enum class OutputField : int {
    Label21 = 21,
    Label22 = 22,
    Label24 = 24,
    Label26 = 26,
    Label27 = 27,
    Label28 = 28,
    Label29 = 29,
    Label30 = 30,
    Label31 = 31,
    Label32 = 32,
    Label33 = 33,
    Label34 = 34,
    Label35 = 35,
    Label36 = 36,
    Label38 = 38,
    Label39 = 39,
    Label40 = 40,
    Label41 = 41,
    Label42 = 42,
    Label51 = 51,
    Label52 = 52,
    Label53 = 53,
    Label54 = 54,
    Label55 = 55,
    Label56 = 56,
    Label57 = 57,
    Label58 = 58,
    Label60 = 60,
    Label61 = 61,
    Label62 = 62,
    Label63 = 63,
    Label64 = 64,
};

using enum OutputField;

inline constexpr std::array kAllOutputFields{
    Label21, Label22, Label24, Label26, Label27, Label28, Label29, Label30,
    Label31, Label32, Label33, Label34, Label35, Label36, Label38, Label39,
    Label40, Label41, Label42, Label51, Label52, Label53, Label54, Label55,
    Label56, Label57, Label58, Label60, Label61, Label62, Label63, Label64,
};

// What Clear empties, in this order. The judgements and the ranges in
// Label41, Label42, Label38 and Label39 keep the last results on purpose.
inline constexpr std::array kClearedFields{
    Label21, Label22, Label24, Label26, Label27, Label28, Label29, Label30, Label31, Label32,
    Label33, Label34, Label35, Label36, Label60, Label61, Label62, Label63, Label64,
};

// The window's objectName of a field, e.g. "Label24".
QString fieldName(OutputField field);

} // namespace tokivane
