#pragma once

#include "closing.h"
#include "terms_phrase.h"

#include <QStringView>
#include <variant>

namespace tokivane {

// A closing-day cell of a ledger: "20", "20日", "末", "月末", "末日", "都度",
// full-width too, or a closing as a terms phrase writes it ("20日締め"). The
// bare numbers 31 and 99 are the month's end, as customer masters write it. A
// cell that says more than the closing day is refused, as is one the terms
// reader refuses.
std::variant<ClosingDay, TermsPhraseError> readClosingCell(QStringView cell);

} // namespace tokivane
