#include "table_files.h"

#include "sheet_dialog.h"
#include "workbook_file.h"

#include <QFileInfo>
#include <variant>

namespace tokivane {

namespace {

// A file as its first reading left it: a table already, or a workbook whose
// sheet is still to be read.
struct FileRead {
    QString path;
    std::optional<QString> text;
    std::optional<OpenWorkbook> workbook;
    qsizetype sheet = 0;
};

QString labelled(const QStringList& paths, const QString& path, const QString& reason) {
    return paths.size() > 1 ? QFileInfo(path).fileName() + u'：' + reason : reason;
}

std::optional<QString> readFile(const QString& path, FileRead& read) {
    auto bytes = readFileBytes(path);
    if (auto* unread = std::get_if<UnreadFile>(&bytes))
        return unread->reason;
    const QByteArray& data = std::get<QByteArray>(bytes);
    if (kindOfFileBytes(data) == FileBytesKind::Text) {
        auto text = textOfFileBytes(data);
        if (auto* unread = std::get_if<UnreadFile>(&text))
            return unread->reason;
        read.text = std::move(std::get<QString>(text));
        return std::nullopt;
    }
    auto workbook = openWorkbook(data);
    if (auto* unread = std::get_if<UnreadFile>(&workbook))
        return unread->reason;
    read.workbook = std::move(std::get<OpenWorkbook>(workbook));
    return std::nullopt;
}

} // namespace

std::optional<QList<TableText>> readTableFiles(QWidget& parent, const QStringList& paths,
                                               const RunWork& run, QStringList& problems) {
    std::vector<FileRead> reads;
    const bool opened = run([&](WorkControl& control) {
        for (const QString& path : paths) {
            if (control.cancelled)
                return;
            FileRead read{path, {}, {}, 0};
            if (const auto problem = readFile(path, read))
                problems.append(labelled(paths, path, *problem));
            else
                reads.push_back(std::move(read));
        }
    });
    if (!opened)
        return std::nullopt;

    // The sheets are chosen before any is read, so one progress bar serves.
    for (FileRead& read : reads) {
        if (!read.workbook || read.workbook->index.sheets.size() == 1)
            continue;
        const WorkbookIndex& index = read.workbook->index;
        const auto sheet = chooseSheet(parent, QFileInfo(read.path).fileName(), index.sheets,
                                       firstVisibleSheet(index));
        if (sheet)
            read.sheet = *sheet;
        else
            read.workbook.reset();
    }

    QList<TableText> tables;
    const bool done = run([&](WorkControl& control) {
        for (FileRead& read : reads) {
            if (read.text) {
                tables.append({std::move(*read.text), false});
                continue;
            }
            if (!read.workbook)
                continue;
            auto sheet = readWorkbookSheet(*read.workbook, read.sheet, [&](double part) {
                control.done = static_cast<int>(part * kWorkSteps);
                return !control.cancelled;
            });
            if (control.cancelled)
                return;
            if (auto* unread = std::get_if<UnreadFile>(&sheet))
                problems.append(labelled(paths, read.path, unread->reason));
            else
                tables.append({std::move(std::get<QString>(sheet)), true});
        }
    });
    if (!done)
        return std::nullopt;
    return tables;
}

} // namespace tokivane
