#include "customer_codes.h"

#include "master_values.h"

#include <algorithm>

namespace tokivane {

namespace {

constexpr QStringView kNotListed = u"得意先一覧にないコード: %1";
constexpr QStringView kNoTerms = u"得意先一覧のコード%1からは条件が決まりません";
constexpr QStringView kSeveral = u"コード%1に当たる得意先が一覧に複数あります";
constexpr QStringView kBlank = u"得意先コードが空です";
constexpr QStringView kByValue = u"コード%1を得意先一覧の%2として照合";

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

QString foldedCode(QStringView code) {
    return foldedValue(code);
}

QString codeValue(const QString& folded) {
    if (folded.isEmpty() || !std::ranges::all_of(folded, isAsciiDigit))
        return {};
    const qsizetype zeros =
        std::ranges::find_if(folded, [](QChar c) { return c != u'0'; }) - folded.begin();
    return zeros == folded.size() ? QStringLiteral("0") : folded.sliced(zeros);
}

CodeMatch matchCode(const CustomerList& list, const QString& folded) {
    if (folded.isEmpty())
        return {CodeMatch::Kind::Blank};
    const auto listedAs = [&](const ListedCode& listed, bool byValue) {
        return CodeMatch{listed.givesTerms ? CodeMatch::Kind::Found : CodeMatch::Kind::NoTerms,
                         listed.row, byValue};
    };
    if (const auto found = list.byCode.constFind(folded); found != list.byCode.cend())
        return listedAs(*found, false);
    const QString value = codeValue(folded);
    const auto byValue = value.isEmpty() ? list.byValue.cend() : list.byValue.constFind(value);
    if (byValue == list.byValue.cend())
        return {CodeMatch::Kind::NotListed};
    if (byValue->size() > 1)
        return {CodeMatch::Kind::SeveralByValue};
    return listedAs(list.byCode.value(byValue->front()), true);
}

QString codeMatchNote(const CustomerList& list, const CodeMatch& match, const QString& folded) {
    const QString listed =
        match.row >= 0 ? list.rows[static_cast<std::size_t>(match.row)].code : QString();
    QStringList notes;
    if (match.byValue)
        notes.append(kByValue.toString().arg(folded, listed));
    switch (match.kind) {
    case CodeMatch::Kind::Found:
        break;
    case CodeMatch::Kind::NoTerms:
        notes.append(kNoTerms.toString().arg(listed));
        break;
    case CodeMatch::Kind::NotListed:
        notes.append(kNotListed.toString().arg(folded));
        break;
    case CodeMatch::Kind::SeveralByValue:
        notes.append(kSeveral.toString().arg(folded));
        break;
    case CodeMatch::Kind::Blank:
        notes.append(kBlank.toString());
        break;
    }
    return notes.join(u'、');
}

} // namespace tokivane
