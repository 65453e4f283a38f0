#include "file_drops.h"

#include "batch_files.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <optional>

namespace tokivane {

namespace {

std::optional<QString> batchFileOf(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && isBatchFileName(url.toLocalFile()))
            return url.toLocalFile();
    }
    return std::nullopt;
}

class FileDrops final : public QObject {
  public:
    FileDrops(QWidget& target, std::function<void(const QString&)> open)
        : QObject(&target), open_(std::move(open)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!batchFileOf(drag->mimeData()))
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const auto path = batchFileOf(drop->mimeData());
            if (!path)
                return false;
            drop->acceptProposedAction();
            open_(*path);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

  private:
    std::function<void(const QString&)> open_;
};

} // namespace

void acceptBatchFileDrops(QWidget& target, std::function<void(const QString&)> open) {
    target.setAcceptDrops(true);
    target.installEventFilter(new FileDrops(target, std::move(open)));
}

} // namespace tokivane
