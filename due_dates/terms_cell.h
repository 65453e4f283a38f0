#pragma once

#include <QString>
#include <QStringView>

namespace tokivane {

// A terms cell's value as a phrase: in a column of days (支払サイト,
// 回収サイト) "60" and "60日" mean 60日後.
QString termsPhraseOfCell(QStringView value, bool termsAreDays);

} // namespace tokivane
