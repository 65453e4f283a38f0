#pragma once

#include "output_fields.h"

#include <algorithm>
#include <array>

namespace tokivane {

// Each "Yes"/"No" field with the fields that show its range. The daily
// ledger row judges a single date, so its start and end are the same field.
struct JudgedRow {
    OutputField judgement;
    OutputField start;
    OutputField end;
};

inline constexpr std::array<JudgedRow, 9> kJudgedRows{{
    {Label40, Label41, Label42},
    {Label51, Label21, Label22},
    {Label57, Label26, Label26},
    {Label52, Label27, Label28},
    {Label58, Label38, Label39},
    {Label53, Label29, Label30},
    {Label54, Label31, Label32},
    {Label55, Label33, Label34},
    {Label56, Label35, Label36},
}};

// The fields that echo the processing date box exactly as typed.
inline constexpr std::array kProcessingDateEchoes{Label22, Label39, Label29, Label30,
                                                  Label32, Label34, Label36};

inline bool isJudgement(OutputField field) {
    return std::ranges::any_of(kJudgedRows,
                               [field](const JudgedRow& row) { return row.judgement == field; });
}

inline bool isProcessingDateEcho(OutputField field) {
    return std::ranges::find(kProcessingDateEchoes, field) != kProcessingDateEchoes.end();
}

} // namespace tokivane
