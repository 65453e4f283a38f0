#pragma once

#include <QStringList>
#include <functional>

class QWidget;

namespace tokivane {

// Lets `target` take dropped .csv, .tsv and .txt files, handed to `open`
// together (a ledger and its customer list may come at once); other drops go
// on as before.
void acceptBatchFileDrops(QWidget& target, std::function<void(const QStringList&)> open);

} // namespace tokivane
