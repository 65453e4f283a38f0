#include "batch_model.h"

#include "batch_columns.h"

#include <numeric>

namespace tokivane {

namespace {

// A cell longer than this is shown cut short; drawing a line of a million
// characters would hold up the window for nothing anyone could read.
constexpr qsizetype kShownCharacters = 1000;
constexpr QChar kCutShort = u'…';

QString shownText(QString text) {
    if (text.size() <= kShownCharacters)
        return text;
    text.truncate(kShownCharacters);
    return text + kCutShort;
}

} // namespace

void BatchModel::setTable(BatchTable table) {
    beginResetModel();
    table_ = std::move(table);
    order_.resize(static_cast<std::size_t>(table_.rows.size()));
    std::iota(order_.begin(), order_.end(), 0);
    endResetModel();
}

void BatchModel::judge(const JudgingBasis& basis, const CollectionTerms& line,
                       std::shared_ptr<const CustomerList> customers) {
    // Another list may bring or take away the 得意先名 column.
    const bool reshaped = (table_.codeColumn ? customers : nullptr) != table_.customers;
    if (reshaped)
        beginResetModel();
    judgeBatch(table_, basis, line, std::move(customers));
    judgementsChanged(reshaped);
}

void BatchModel::clearJudgements() {
    const bool reshaped = table_.customers != nullptr;
    if (reshaped)
        beginResetModel();
    tokivane::clearJudgements(table_);
    judgementsChanged(reshaped);
}

void BatchModel::setAmountColumn(std::optional<qsizetype> column) {
    table_.amountColumn = column;
    judgementsChanged(false);
}

// The rows stay and keep their order, whatever the columns do.
void BatchModel::judgementsChanged(bool reshaped) {
    if (reshaped) {
        endResetModel();
        return;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

// Persistent indexes (the current cell, the selection) follow their rows.
void BatchModel::setOrder(std::vector<int> order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> shownAt(order.size());
    for (std::size_t at = 0; at < order.size(); ++at)
        shownAt[static_cast<std::size_t>(order[at])] = static_cast<int>(at);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int row = order_[static_cast<std::size_t>(index.row())];
        after.append(this->index(shownAt[static_cast<std::size_t>(row)], index.column()));
    }
    order_ = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int BatchModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int BatchModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : batchColumnCount(table_);
}

QVariant BatchModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const BatchRow& row = table_.rows[order_[static_cast<std::size_t>(index.row())]];
    switch (role) {
    case Qt::DisplayRole:
        return shownText(batchCellText(table_, row, index.column()));
    case kWholeTextRole:
        return batchCellText(table_, row, index.column());
    case Qt::ToolTipRole: {
        const QString tip = batchCellToolTip(table_, row, index.column());
        return tip.isEmpty() ? QVariant() : tip;
    }
    case Qt::TextAlignmentRole: {
        const ColumnKind kind = batchColumnAt(table_, index.column()).kind;
        if (kind == ColumnKind::Judgement)
            return int(Qt::AlignCenter);
        if (kind == ColumnKind::Line)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    default:
        return {};
    }
}

QString BatchModel::rangeToolTip(int index) const {
    if (!table_.basis)
        return QStringLiteral("判定していません");
    const NamedRange& range = table_.basis->ranges[static_cast<std::size_t>(index)];
    // A 都度 line has no invoicing period; rows with closing days of their own may.
    if (index < kBillingRangeCount && table_.lineTerms.closing.kind == ClosingDay::Kind::PerRecord)
        return QStringLiteral("%1：都度締めには期間がありません（Yes %2 行）")
            .arg(range.caption.toString())
            .arg(yesCount(table_, index));
    const QString dates = range.start == range.end ? range.start : range.start + u'～' + range.end;
    return QStringLiteral("%1：%2（Yes %3 行）")
        .arg(range.caption.toString(), dates)
        .arg(yesCount(table_, index));
}

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return batchHeaderText(table_, section);
    if (role == Qt::ToolTipRole) {
        const BatchColumn at = batchColumnAt(table_, section);
        if (at.kind == ColumnKind::Judgement)
            return rangeToolTip(at.index);
    }
    return {};
}

} // namespace tokivane
