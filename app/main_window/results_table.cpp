#include "results_table.h"

#include "form1_layout.h"

#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <array>
#include <optional>

namespace tokivane {

namespace {

// A row of the window: the labels that hold its group title and caption, and
// its fields. The payment breakdown has no judgements; single-date rows have
// no end.
struct ResultRow {
    QStringView titleLabel;
    QStringView captionLabel;
    std::optional<OutputField> judgement;
    OutputField start;
    std::optional<OutputField> end;
};

constexpr auto kNone = std::nullopt;

constexpr std::array<ResultRow, 13> kResultRows{{
    {u"Label1", u"Label23", kNone, Label24, kNone},
    {u"Label1", u"Label43", Label40, Label41, Label42},
    {u"Label1", u"Label44", Label51, Label21, Label22},
    {u"Label2", u"Label10", Label57, Label26, kNone},
    {u"Label2", u"Label11", Label52, Label27, Label28},
    {u"Label2", u"Label37", Label58, Label38, Label39},
    {u"Label3", u"Label13", Label53, Label29, Label30},
    {u"Label3", u"Label15", Label54, Label31, Label32},
    {u"Label3", u"Label14", Label55, Label33, Label34},
    {u"Label3", u"Label16", Label56, Label35, Label36},
    {u"Label45", u"Label46", kNone, Label60, kNone},
    {u"Label45", u"Label47", kNone, Label61, Label62},
    {u"Label45", u"Label48", kNone, Label63, Label64},
}};

QString fixedCaption(QStringView name) {
    const auto label = std::ranges::find(layout::kFixedLabels, name, &layout::ControlSpec::name);
    return label != layout::kFixedLabels.end() ? label->caption.toString() : QString();
}

QStringList cellsOf(const ResultRow& row, const std::function<QString(OutputField)>& captionOf) {
    const auto shown = [&](std::optional<OutputField> field) {
        return field ? captionOf(*field) : QString();
    };
    return {fixedCaption(row.titleLabel), fixedCaption(row.captionLabel), shown(row.judgement),
            captionOf(row.start), shown(row.end)};
}

} // namespace

ResultsTable resultsTable(const std::function<QString(OutputField)>& captionOf) {
    QList<QStringList> lines;
    for (const ResultRow& row : kResultRows)
        lines.append(cellsOf(row, captionOf));
    return clipboardTableOf(lines);
}

} // namespace tokivane
