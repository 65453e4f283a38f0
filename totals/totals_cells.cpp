#include "totals_cells.h"

#include "amount_text.h"
#include "schedule_cells.h"

#include <array>

namespace tokivane {

namespace {

constexpr std::array<QStringView, 3> kTitles{u"回収予定日別", u"請求締日・得意先別", u"月別"};
constexpr std::array<QStringView, 5> kByDueHeaders{u"回収予定日", u"曜日・祝日", u"件数", u"金額",
                                                   u"累計"};
constexpr std::array<QStringView, 6> kInvoiceHeaders{u"請求締日", u"得意先", u"請求期間",
                                                     u"件数",     u"金額",   u"回収予定日"};
constexpr std::array<QStringView, 3> kMonthHeaders{u"回収予定月", u"件数", u"金額"};
constexpr QStringView kUndated = u"回収予定日なし";
constexpr QStringView kTotal = u"合計";
constexpr QChar kPeriodDash = u'～';
constexpr QStringView kMonthText = u"%1年%2月";

constexpr QStringView kTotalled = u"%1：%2行を集計しました";
constexpr QStringView kLeftOut = u"除いた行：%1";
constexpr QStringView kNotInTarget = u"%1がYesでない %2行";
constexpr QStringView kAmountEmpty = u"金額が空欄 %1行";
constexpr QStringView kAmountRefused = u"金額を読めない %1行";
constexpr QStringView kNoAmountColumn = u"金額の列を選んでください（%1行）";
constexpr QStringView kUndatedLeftOut =
    u"回収予定日のない %1行は請求締日・得意先別と月別に入れていません";
constexpr QStringView kRefused = u"%1：集計を表示できません";
constexpr QStringView kSentences = u"。";

QString amountText(Amount amount, TotalsForm form) {
    return form == TotalsForm::Shown ? amountShown(amount) : amountPlain(amount);
}

// A count is written as an amount of whole yen is.
QString countText(qint64 count, TotalsForm form) {
    return amountText(Amount{count * kHundredthsPerYen, false}, form);
}

QString monthText(std::chrono::year_month month) {
    return kMonthText.toString().arg(int(month.year())).arg(unsigned(month.month()));
}

template <std::size_t N> QStringList headerOf(const std::array<QStringView, N>& captions) {
    QStringList header;
    for (const QStringView caption : captions)
        header.append(caption.toString());
    return header;
}

QList<QStringList> byDueCells(const LedgerTotals& totals, TotalsForm form) {
    QList<QStringList> lines{headerOf(kByDueHeaders)};
    for (const DueLine& line : totals.byDue)
        lines.append({dateTextOf(line.due), weekdayAndHoliday(line.due),
                      countText(line.figure.count, form), amountText(line.figure.amount, form),
                      amountText(line.running, form)});
    if (totals.undated.count > 0)
        lines.append({kUndated.toString(), QString(), countText(totals.undated.count, form),
                      amountText(totals.undated.amount, form),
                      amountText(totals.all.amount, form)});
    lines.append({kTotal.toString(), QString(), countText(totals.all.count, form),
                  amountText(totals.all.amount, form), QString()});
    return lines;
}

QList<QStringList> invoiceCells(const LedgerTotals& totals, TotalsForm form) {
    QList<QStringList> lines{headerOf(kInvoiceHeaders)};
    for (const InvoiceLine& line : totals.invoices)
        lines.append({dateTextOf(line.closing), line.customer,
                      dateTextOf(line.periodStart) + kPeriodDash + dateTextOf(line.closing),
                      countText(line.figure.count, form), amountText(line.figure.amount, form),
                      dateTextOf(line.due)});
    lines.append({kTotal.toString(), QString(), QString(), countText(totals.dated.count, form),
                  amountText(totals.dated.amount, form), QString()});
    return lines;
}

QList<QStringList> monthCells(const LedgerTotals& totals, TotalsForm form) {
    QList<QStringList> lines{headerOf(kMonthHeaders)};
    for (const MonthLine& line : totals.months)
        lines.append({monthText(line.month), countText(line.figure.count, form),
                      amountText(line.figure.amount, form)});
    lines.append({kTotal.toString(), countText(totals.dated.count, form),
                  amountText(totals.dated.amount, form)});
    return lines;
}

} // namespace

QStringList totalsNumberHeaders() {
    return {kByDueHeaders[2].toString(), kByDueHeaders[3].toString(), kByDueHeaders[4].toString()};
}

QStringList totalsDateHeaders() {
    return {kByDueHeaders[0].toString(), kInvoiceHeaders[0].toString()};
}

QString totalsTitle(TotalsTable which) {
    return kTitles[std::size_t(which)].toString();
}

QList<QStringList> totalsCells(const LedgerTotals& totals, TotalsTable which, TotalsForm form) {
    if (totals.refusal) {
        const auto& headers = which == TotalsTable::ByDue      ? headerOf(kByDueHeaders)
                              : which == TotalsTable::Invoices ? headerOf(kInvoiceHeaders)
                                                               : headerOf(kMonthHeaders);
        return {headers, {*totals.refusal}};
    }
    switch (which) {
    case TotalsTable::ByDue:
        return byDueCells(totals, form);
    case TotalsTable::Invoices:
        return invoiceCells(totals, form);
    case TotalsTable::Months:
        return monthCells(totals, form);
    }
    return {};
}

QList<QStringList> allTotalsCells(const LedgerTotals& totals, TotalsForm form) {
    QList<QStringList> lines;
    for (const TotalsTable which :
         {TotalsTable::ByDue, TotalsTable::Invoices, TotalsTable::Months}) {
        if (!lines.isEmpty())
            lines.append(QStringList());
        lines.append({totalsTitle(which)});
        lines.append(totalsCells(totals, which, form));
    }
    return lines;
}

QString totalsNote(const LedgerTotals& totals) {
    if (totals.refusal)
        return kRefused.toString().arg(*totals.refusal);
    const LeftOut& out = totals.leftOut;
    QStringList sentences{
        kTotalled.toString().arg(targetCaption(totals.target)).arg(totals.all.count)};
    QStringList reasons;
    if (out.notInTarget > 0)
        reasons.append(
            kNotInTarget.toString().arg(targetCaption(totals.target)).arg(out.notInTarget));
    if (out.amountEmpty > 0)
        reasons.append(kAmountEmpty.toString().arg(out.amountEmpty));
    if (out.amountRefused > 0)
        reasons.append(kAmountRefused.toString().arg(out.amountRefused));
    if (out.noAmountColumn > 0)
        reasons.append(kNoAmountColumn.toString().arg(out.noAmountColumn));
    if (!reasons.isEmpty())
        sentences.append(kLeftOut.toString().arg(reasons.join(u'、')));
    if (totals.undated.count > 0)
        sentences.append(kUndatedLeftOut.toString().arg(totals.undated.count));
    return sentences.join(kSentences);
}

} // namespace tokivane
