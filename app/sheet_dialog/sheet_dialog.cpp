#include "sheet_dialog.h"

#include "workbook_index.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tokivane {

namespace {

constexpr QStringView kTitle = u"シートの選択";
constexpr QStringView kQuestion = u"「%1」のどのシートを読みますか。";
constexpr QStringView kHiddenMark = u"（非表示）";
constexpr QStringView kOpen = u"開く";
constexpr QStringView kCancel = u"キャンセル";

QListWidget* sheetList(QDialog& dialog, const QList<SheetEntry>& sheets, qsizetype preselected) {
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("sheetList"));
    list->setAccessibleName(kTitle.toString());
    for (const SheetEntry& sheet : sheets)
        list->addItem(sheet.visible ? sheet.name : sheet.name + kHiddenMark.toString());
    list->setCurrentRow(static_cast<int>(preselected));
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    return list;
}

} // namespace

std::optional<qsizetype> chooseSheet(QWidget& parent, const QString& fileName,
                                     const QList<SheetEntry>& sheets, qsizetype preselected) {
    QDialog dialog(&parent);
    dialog.setObjectName(QStringLiteral("sheetDialog"));
    dialog.setWindowTitle(kTitle.toString());
    auto* layout = new QVBoxLayout(&dialog);
    auto* question = new QLabel(kQuestion.arg(fileName), &dialog);
    question->setWordWrap(true);
    layout->addWidget(question);
    QListWidget* list = sheetList(dialog, sheets, preselected);
    question->setBuddy(list);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(kOpen.toString());
    buttons->button(QDialogButtonBox::Cancel)->setText(kCancel.toString());
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    list->setFocus();
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return list->currentRow();
}

} // namespace tokivane
