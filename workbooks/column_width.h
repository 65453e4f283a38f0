#pragma once

#include <QStringView>

namespace tokivane {

// How wide a text stands in a sheet, in character units (the width of a
// digit): the widest of its lines, with East Asian wide and full-width
// characters as two.
int textWidth(QStringView text);

// The most textWidth() can give for a text of `length` UTF-16 units, every
// character wide: a cell no longer than half a column's widest cell cannot
// widen it, and need not be measured.
constexpr int widestTextOf(qsizetype length) {
    return int(length * 2);
}

// A column's width for the width of its widest cell: a small margin around
// it, no narrower than a short header and no wider than a screen shows well.
double columnWidthFor(int textWidth);

} // namespace tokivane
