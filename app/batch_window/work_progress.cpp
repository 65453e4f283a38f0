#include "work_progress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <thread>

namespace tokivane {

namespace {

constexpr QStringView kCancelCaption = u"キャンセル";
constexpr int kShowAfterMs = 500;
constexpr int kUpdateEveryMs = 50;

} // namespace

bool runWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(WorkControl&)>& work) {
    WorkControl control;
    QProgressDialog progress(label, kCancelCaption.toString(), 0, kWorkSteps, parent);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kShowAfterMs);
    progress.setAutoReset(false);
    QObject::connect(&progress, &QProgressDialog::canceled,
                     [&control] { control.cancelled = true; });
    QTimer update;
    QObject::connect(&update, &QTimer::timeout,
                     [&progress, &control] { progress.setValue(control.done); });
    update.start(kUpdateEveryMs);

    QEventLoop loop;
    std::thread worker([&] {
        work(control);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return !control.cancelled;
}

} // namespace tokivane
