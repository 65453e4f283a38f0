#include "customer_columns.h"

#include "header_columns.h"

#include <array>

namespace tokivane {

namespace {

constexpr std::array<QStringView, 6> kCodeHeaders{u"得意先コード", u"得意先CD",     u"取引先コード",
                                                  u"顧客コード",   u"請求先コード", u"コード"};
constexpr std::array<QStringView, 6> kNameHeaders{u"得意先名", u"得意先名1", u"取引先名",
                                                  u"顧客名",   u"請求先名",  u"名称"};
constexpr std::array<QStringView, 4> kClosingHeaders{u"締日", u"締め日", u"〆日", u"締日区分"};
constexpr std::array<QStringView, 5> kPayMonthHeaders{u"回収月", u"入金月", u"支払月",
                                                      u"回収サイクル(月)", u"支払サイト月"};
constexpr std::array<QStringView, 5> kPayDayHeaders{u"回収日", u"入金日", u"支払日",
                                                    u"回収サイクル(日)", u"支払サイト日"};
constexpr std::array<QStringView, 4> kHolidayHeaders{u"休日", u"休日対応", u"休日の扱い",
                                                     u"休日区分"};
constexpr std::array<QStringView, 2> kDaysHeaders{u"支払サイト", u"回収サイト"};
constexpr std::array<QStringView, 6> kTermsHeaders{u"支払条件", u"回収条件",     u"取引条件",
                                                   u"入金条件", kDaysHeaders[0], kDaysHeaders[1]};

template <std::size_t N> QString namesText(const std::array<QStringView, N>& names) {
    QStringList texts;
    for (const QStringView name : names)
        texts.append(name.toString());
    return texts.join(u'・');
}

} // namespace

CustomerColumns customerColumnsOf(const QStringList& headers) {
    CustomerColumns columns;
    columns.code = columnNamedFirst(headers, kCodeHeaders);
    columns.name = columnNamedFirst(headers, kNameHeaders);
    columns.closing = columnNamed(headers, kClosingHeaders);
    columns.payMonth = columnNamed(headers, kPayMonthHeaders);
    columns.payDay = columnNamed(headers, kPayDayHeaders);
    columns.holidays = columnNamed(headers, kHolidayHeaders);
    columns.terms = columnNamed(headers, kTermsHeaders);
    columns.termsAreDays =
        columns.terms && columnNamed(QStringList{headers[*columns.terms]}, kDaysHeaders);
    return columns;
}

std::optional<qsizetype> codeColumnOf(const QStringList& headers, const QString& listCodeHeader) {
    if (const auto named = columnNamedFirst(headers, kCodeHeaders))
        return named;
    if (listCodeHeader.isEmpty())
        return std::nullopt;
    const std::array<QStringView, 1> listOwn{listCodeHeader};
    return columnNamed(headers, listOwn);
}

std::optional<qsizetype> nameColumnOf(const QStringList& headers) {
    return columnNamedFirst(headers, kNameHeaders);
}

QString codeHeadersText() {
    return namesText(kCodeHeaders);
}

QString termsHeadersText() {
    QStringList parts{namesText(kClosingHeaders), namesText(kPayMonthHeaders),
                      namesText(kTermsHeaders)};
    return parts.join(u'・');
}

} // namespace tokivane
