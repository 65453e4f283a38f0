#include "xlsx_writer.h"

#include "column_width.h"
#include "date_cell.h"
#include "number_cell.h"
#include "text_escapes.h"

#include <QFile>
#include <algorithm>
#include <memory>
#include <string_view>
#include <xlsxwriter.h>
#ifdef Q_OS_UNIX
#include <locale.h>
#endif

namespace tokivane {

namespace {

// A date shows as wide as its format, whatever text it was read from.
constexpr std::string_view kDateFormat = "yyyy/mm/dd";
constexpr const char* kWholeFormat = "#,##0";
constexpr const char* kDecimalFormat = "#,##0.00";

constexpr QStringView kFailed = u"Excelファイルを書き出せません（%1）：%2［%3］";
constexpr QStringView kNotMade =
    u"Excelファイルを書き出せません（%1）：メモリが足りないか、一時ファイルを作れません";
constexpr QStringView kWorkbook = u"ブック";
constexpr QStringView kSheet = u"シート「%1」";
constexpr QStringView kSheetLine = u"シート「%1」の%2行目";

constexpr QStringView kNoMemory = u"メモリが足りません";
constexpr QStringView kNoFile = u"ファイルを作れません";
constexpr QStringView kNoTemporary = u"一時ファイルを作れないか読めません";
constexpr QStringView kNoZip = u"圧縮できません（ディスクの空きが足りないか、大きすぎます）";
constexpr QStringView kBadSheetName = u"シート名に使えません";
constexpr QStringView kNotTaken = u"書き込みが受け付けられませんでした";

// What went wrong, in a sentence; the library's own words follow it.
QStringView sentenceOf(lxw_error error) {
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return kNoMemory;
    case LXW_ERROR_CREATING_XLSX_FILE:
        return kNoFile;
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return kNoTemporary;
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return kNoZip;
    case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
    case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
    case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
    case LXW_ERROR_SHEETNAME_ALREADY_USED:
        return kBadSheetName;
    default:
        return kNotTaken;
    }
}

QString failure(const QString& where, lxw_error error) {
    return kFailed.toString().arg(where, sentenceOf(error).toString(),
                                  QString::fromUtf8(lxw_strerror(error)));
}

#ifdef Q_OS_UNIX
// Numbers are written with the C library's formatting, which follows the
// process's locale (Qt sets it from the environment on Unix): a decimal comma
// would spoil the file, so this thread writes in the C locale meanwhile.
class PointForNumbers {
  public:
    PointForNumbers() : c_(newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr))) {
        if (c_)
            previous_ = uselocale(c_);
    }
    ~PointForNumbers() {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    PointForNumbers(const PointForNumbers&) = delete;
    PointForNumbers& operator=(const PointForNumbers&) = delete;

  private:
    locale_t c_;
    locale_t previous_ = nullptr;
};
#else
// Windows' C library keeps the C locale unless a program sets another.
struct PointForNumbers {
    PointForNumbers() {}
};
#endif

// A workbook given up on is closed all the same: only closing lets go of the
// sheets' temporary files, which are open while rows are written. What it
// writes stays in the temporary folder.
struct WorkbookClose {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};
using Workbook = std::unique_ptr<lxw_workbook, WorkbookClose>;

struct Formats {
    lxw_format* header;
    lxw_format* date;
    lxw_format* whole;
    lxw_format* decimal;
};

lxw_format* numberFormat(lxw_workbook* workbook, const char* format) {
    lxw_format* added = workbook_add_format(workbook);
    if (added)
        format_set_num_format(added, format);
    return added;
}

std::optional<Formats> formatsOf(lxw_workbook* workbook) {
    Formats formats{workbook_add_format(workbook), numberFormat(workbook, kDateFormat.data()),
                    numberFormat(workbook, kWholeFormat), numberFormat(workbook, kDecimalFormat)};
    if (!formats.header || !formats.date || !formats.whole || !formats.decimal)
        return std::nullopt;
    format_set_bold(formats.header);
    return formats;
}

// One sheet's rows, in order, and the widths its cells need.
class SheetWriter {
  public:
    SheetWriter(lxw_worksheet* sheet, const QString& name, const SheetTable& table,
                const Formats& formats)
        : sheet_(sheet), name_(name), table_(table), formats_(formats) {}

    std::optional<QString> write() {
        worksheet_freeze_panes(sheet_, 1, 0);
        for (qsizetype line = 0; line < table_.cells.size(); ++line) {
            const QStringList& cells = table_.cells[line];
            for (qsizetype column = 0; column < cells.size(); ++column) {
                if (cells[column].isEmpty())
                    continue;
                const lxw_error error = line == 0 ? writeText(0, column, formats_.header)
                                                  : writeCell(lxw_row_t(line), column);
                if (error != LXW_NO_ERROR)
                    return failure(kSheetLine.toString().arg(name_).arg(line + 1), error);
            }
        }
        return setWidths();
    }

  private:
    SheetColumn kindOf(qsizetype column) const {
        return table_.columns.value(column, SheetColumn::Text);
    }

    const QString& cell(lxw_row_t line, qsizetype column) const {
        return table_.cells[qsizetype(line)][column];
    }

    void widen(qsizetype column, int width) {
        if (widths_.size() <= column)
            widths_.resize(column + 1);
        widths_[column] = std::max(widths_[column], width);
    }

    // Measured only when it could widen its column, so most cells cost a
    // comparison.
    void measure(qsizetype column, QStringView text) {
        if (widths_.value(column) < widestTextOf(text.size()))
            widen(column, textWidth(text));
    }

    lxw_error writeText(lxw_row_t line, qsizetype column, lxw_format* format) {
        const QString& text = cell(line, column);
        measure(column, text);
        return worksheet_write_string(sheet_, line, lxw_col_t(column),
                                      sheetTextOf(text).toUtf8().constData(), format);
    }

    lxw_error writeCell(lxw_row_t line, qsizetype column) {
        const QString& text = cell(line, column);
        switch (kindOf(column)) {
        case SheetColumn::Date:
            if (const auto date = dateOfCell(text)) {
                widen(column, int(kDateFormat.size()));
                return worksheet_write_number(sheet_, line, lxw_col_t(column), serialOfDate(*date),
                                              formats_.date);
            }
            break;
        case SheetColumn::Number:
            if (const auto number = numberOfCell(text)) {
                measure(column, text);
                return worksheet_write_number(sheet_, line, lxw_col_t(column), number->value,
                                              number->decimals ? formats_.decimal : formats_.whole);
            }
            break;
        case SheetColumn::Text:
            break;
        }
        return writeText(line, column, nullptr);
    }

    std::optional<QString> setWidths() {
        for (qsizetype column = 0; column < widths_.size(); ++column) {
            const lxw_error error =
                worksheet_set_column(sheet_, lxw_col_t(column), lxw_col_t(column),
                                     columnWidthFor(widths_[column]), nullptr);
            if (error != LXW_NO_ERROR)
                return failure(kSheet.toString().arg(name_), error);
        }
        return std::nullopt;
    }

    lxw_worksheet* sheet_;
    const QString& name_;
    const SheetTable& table_;
    const Formats& formats_;
    QList<int> widths_;
};

} // namespace

std::optional<QString> writeXlsx(const QString& fileName, const QString& tmpdir,
                                 const QList<SheetTable>& tables, const QStringList& sheetNames) {
    const PointForNumbers point{};
    const QByteArray file = QFile::encodeName(fileName);
    QByteArray temporary = QFile::encodeName(tmpdir);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = temporary.data();
    Workbook workbook(workbook_new_opt(file.constData(), &options));
    const auto formats = workbook ? formatsOf(workbook.get()) : std::nullopt;
    if (!formats)
        return kNotMade.toString().arg(kWorkbook);
    for (qsizetype at = 0; at < tables.size(); ++at) {
        const QString& sheetName = sheetNames[at];
        const QByteArray name = sheetName.toUtf8();
        const QString where = kSheet.toString().arg(sheetName);
        if (const lxw_error error = workbook_validate_sheet_name(workbook.get(), name.constData()))
            return failure(where, error);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), name.constData());
        if (!sheet)
            return kNotMade.toString().arg(where);
        if (auto refused = SheetWriter(sheet, sheetName, tables[at], *formats).write())
            return refused;
    }
    // Closing writes the file and frees the workbook, whether it succeeds or not.
    if (const lxw_error error = workbook_close(workbook.release()))
        return failure(kWorkbook.toString(), error);
    return std::nullopt;
}

} // namespace tokivane
