#pragma once

#include <QString>
#include <QtGlobal>

namespace tokivane {

// An amount of hundredths of a yen in yen, digits grouped by three:
// "1,234,500円", with the sen as ".50" only when it is not whole yen;
// "-5,000円" below zero.
QString yenText(qint64 hundredths);

// The same in units of 万円, with as many decimals as it needs:
// "12万円", "1.5万円", "1,200万円".
QString manYenText(qint64 hundredths);

} // namespace tokivane
