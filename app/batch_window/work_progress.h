#pragma once

#include <QString>
#include <atomic>
#include <functional>

class QWidget;

namespace tokivane {

// What long work and the window showing its progress share across threads.
struct WorkControl {
    // From 0 to kWorkSteps, for the progress bar.
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
};

inline constexpr int kWorkSteps = 1000;

// Runs `work` on a thread of its own while the windows keep repainting. Work
// that lasts more than half a second shows a progress bar with a cancel
// button, which asks the work to stop; the windows take no input meanwhile.
// False when the work was cancelled.
bool runWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(WorkControl&)>& work);

} // namespace tokivane
