#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>

namespace tokivane {

// A header cell as names are compared: full-width letters and half-width kana
// folded to their usual forms (NFKC, so "得意先ｺｰﾄﾞ" is "得意先コード" and
// "回収サイクル（月）" is "回収サイクル(月)"), letters in one case, blanks
// taken out.
QString foldedHeader(QStringView header);

// The first column, from the left, whose header is one of `names`.
std::optional<qsizetype> columnNamed(const QStringList& headers,
                                     std::span<const QStringView> names);

// The column of the first of `names`, in their order, that a header has
// (the leftmost such column): a better name wins over a plainer one to its
// left, as 得意先コード over コード.
std::optional<qsizetype> columnNamedFirst(const QStringList& headers,
                                          std::span<const QStringView> names);

} // namespace tokivane
