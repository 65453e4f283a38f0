#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tokivane {

// Lets `target` take a dropped .csv, .tsv or .txt file, handed to `open`;
// other drops go on as before.
void acceptBatchFileDrops(QWidget& target, std::function<void(const QString&)> open);

} // namespace tokivane
