#include "file_drops.h"

#include "batch_files.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace tokivane {

namespace {

QStringList batchFilesOf(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && isBatchFileName(url.toLocalFile()))
            paths.append(url.toLocalFile());
    }
    return paths;
}

class FileDrops final : public QObject {
  public:
    FileDrops(QWidget& target, std::function<void(const QStringList&)> open)
        : QObject(&target), open_(std::move(open)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (batchFilesOf(drag->mimeData()).isEmpty())
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = batchFilesOf(drop->mimeData());
            if (paths.isEmpty())
                return false;
            drop->acceptProposedAction();
            open_(paths);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

  private:
    std::function<void(const QStringList&)> open_;
};

} // namespace

void acceptBatchFileDrops(QWidget& target, std::function<void(const QStringList&)> open) {
    target.setAcceptDrops(true);
    target.installEventFilter(new FileDrops(target, std::move(open)));
}

} // namespace tokivane
