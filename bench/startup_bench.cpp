// Start-up benchmark on a real X server. Starts a program and two floors in
// turn, the same window of plain widgets and an empty window, and measures
// from just before each process is spawned until its window is mapped and
// until every pixel of the window has been drawn, and the process's peak
// resident memory. The server's damage reports tell when the window has been
// drawn, so all programs run exactly as shipped: nothing in them knows it is
// being measured.
//
// Usage: tokivane_startup_bench RUNS PROGRAM CONTENT_FLOOR EMPTY_FLOOR
//        (DISPLAY names the server)
#include "stats.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using tokivane::bench::median;
using tokivane::bench::percentile;

// Unmeasured runs of each program first, so that all find the shared
// libraries, fonts and font caches equally warm.
constexpr int kWarmUpRuns = 2;
constexpr auto kRunTimeout = std::chrono::seconds(30);
// What the program may take beyond the same window of plain widgets, and
// beyond an empty window with its title and menu.
constexpr double kContentTarget = 1.05;
constexpr double kEmptyTarget = 1.15;

struct Sample {
    double mappedMs;
    double paintedMs;
    double peakMiB;
    // User and system time of the process until it was ended: on a shared
    // machine steadier than the wall time, which also counts others' turns.
    double cpuMs;
};

std::chrono::microseconds toDuration(timeval time) {
    return std::chrono::seconds(time.tv_sec) + std::chrono::microseconds(time.tv_usec);
}

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "tokivane_startup_bench: %s\n", message.c_str());
    std::exit(1);
}

// Which pixels of one window have been drawn since it was mapped.
class Coverage {
  public:
    Coverage(int x, int y, int width, int height)
        : x_(x), y_(y), width_(width), height_(height),
          drawn_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

    // Marks a rectangle given in root coordinates; true once all is drawn.
    bool add(int x, int y, int width, int height) {
        const int left = std::max(x, x_) - x_;
        const int top = std::max(y, y_) - y_;
        const int right = std::min(x + width, x_ + width_) - x_;
        const int bottom = std::min(y + height, y_ + height_) - y_;
        for (int row = top; row < bottom; ++row) {
            for (int column = left; column < right; ++column) {
                auto& pixel =
                    drawn_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
                           static_cast<std::size_t>(column)];
                if (!pixel) {
                    pixel = 1;
                    ++count_;
                }
            }
        }
        return complete();
    }

    bool complete() const { return count_ == drawn_.size(); }

  private:
    int x_, y_, width_, height_;
    std::vector<unsigned char> drawn_;
    std::size_t count_ = 0;
};

// One connection to the server that sees every window mapped on the screen
// and every drawing into it. Damage is tracked on the root window: without a
// compositor, child windows draw into the screen itself, so drawing in any
// window is reported there, including drawing that happens before this
// program could have learned that the window exists.
class Server {
  public:
    Server() {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_))
            fail("cannot connect to the X server named by DISPLAY");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;

        const auto* extension = xcb_get_extension_data(connection_, &xcb_damage_id);
        if (!extension || !extension->present)
            fail("the X server has no DAMAGE extension");
        damageNotify_ = extension->first_event + XCB_DAMAGE_NOTIFY;
        // The server ignores DAMAGE requests until the version is agreed.
        owned(xcb_damage_query_version_reply(connection_,
                                             xcb_damage_query_version(connection_, 1, 1), nullptr));

        const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &events);
        const xcb_damage_damage_t damage = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage, root_, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(connection_);
    }

    ~Server() { xcb_disconnect(connection_); }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Waits until everything this connection asked for is done and drops the
    // events of earlier runs.
    void settle() {
        owned(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        while (auto* event = xcb_poll_for_event(connection_))
            std::free(event);
    }

    Sample measure(const std::string& program) {
        settle();
        std::FILE* errors = std::tmpfile();
        if (!errors)
            fail("cannot make a temporary file");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, fileno(errors), STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(program.c_str()), nullptr};

        const auto start = Clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            fail("cannot start " + program);
        posix_spawn_file_actions_destroy(&actions);

        std::optional<Clock::time_point> mapped;
        std::optional<Clock::time_point> painted;
        std::optional<Coverage> coverage;
        xcb_window_t window = XCB_NONE;
        while (!painted) {
            pollfd readable{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&readable, 1, 10);
            while (auto* event = xcb_poll_for_event(connection_)) {
                const auto now = Clock::now();
                const auto type = event->response_type & 0x7f;
                if (type == XCB_MAP_NOTIFY && !mapped) {
                    const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                    if (!map->override_redirect) {
                        mapped = now;
                        window = map->window;
                        coverage = geometry(window);
                    }
                } else if (type == damageNotify_ && coverage) {
                    const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                    if (coverage->add(damage->area.x, damage->area.y, damage->area.width,
                                      damage->area.height))
                        painted = now;
                }
                std::free(event);
                if (painted)
                    break;
            }
            if (xcb_connection_has_error(connection_))
                fail("lost the connection to the X server");
            int status = 0;
            if (!painted && waitpid(pid, &status, WNOHANG) == pid) {
                std::rewind(errors);
                char line[512];
                while (std::fgets(line, sizeof line, errors))
                    std::fputs(line, stderr);
                fail(program + " ended before its window was drawn");
            }
            if (!painted && Clock::now() - start > kRunTimeout) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                fail(program + " did not draw its window in time");
            }
        }

        // The program has no handler for SIGTERM, so it ends at once and its
        // peak memory is that of start-up alone.
        kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        std::fclose(errors);
        awaitDestruction(window);

        using Ms = std::chrono::duration<double, std::milli>;
        return {Ms(*mapped - start).count(), Ms(*painted - start).count(),
                static_cast<double>(usage.ru_maxrss) / 1024.0,
                Ms(toDuration(usage.ru_utime) + toDuration(usage.ru_stime)).count()};
    }

  private:
    // The server repaints the screen under a destroyed window, which would
    // count as drawing in a window mapped at the same place in the next run.
    void awaitDestruction(xcb_window_t window) {
        const auto start = Clock::now();
        while (Clock::now() - start < kRunTimeout) {
            pollfd readable{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&readable, 1, 10);
            while (auto* event = xcb_poll_for_event(connection_)) {
                const bool destroyed =
                    (event->response_type & 0x7f) == XCB_DESTROY_NOTIFY &&
                    reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window;
                std::free(event);
                if (destroyed)
                    return;
            }
            if (xcb_connection_has_error(connection_))
                fail("lost the connection to the X server");
        }
        fail("a window outlived its program");
    }

    // The window's area in root coordinates, border included.
    Coverage geometry(xcb_window_t window) {
        auto reply = owned(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
        if (!reply)
            fail("a mapped window vanished");
        const int border = reply->border_width;
        return Coverage(reply->x, reply->y, reply->width + 2 * border, reply->height + 2 * border);
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    std::uint8_t damageNotify_ = 0;
};

struct Series {
    std::string name;
    std::string program;
    std::vector<double> mapped, painted, peak, cpu;

    void add(const Sample& sample) {
        mapped.push_back(sample.mappedMs);
        painted.push_back(sample.paintedMs);
        peak.push_back(sample.peakMiB);
        cpu.push_back(sample.cpuMs);
    }
};

std::string baseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void printRow(const Series& series) {
    char range[32];
    std::snprintf(range, sizeof range, "%.1f-%.1f ms", percentile(series.painted, 0),
                  percentile(series.painted, 1));
    std::printf("  %-20s %8.1f ms %8.1f ms %18s %8.1f MiB %8.1f ms\n", series.name.c_str(),
                median(series.mapped), median(series.painted), range, median(series.peak),
                median(series.cpu));
}

// How far a program's median lies above a floor's, next to its target.
void printRatio(const char* what, double ratio, double target) {
    std::printf("  %-44s %5.2f  target <= %.2f: %s\n", what, ratio, target,
                ratio <= target ? "met" : "MISSED");
}

double ratio(const std::vector<double>& subject, const std::vector<double>& floor) {
    return median(subject) / median(floor);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 5 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr,
                     "usage: tokivane_startup_bench RUNS PROGRAM CONTENT_FLOOR EMPTY_FLOOR\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Series subject{baseName(argv[2]), argv[2], {}, {}, {}, {}};
    Series content{"content floor", argv[3], {}, {}, {}, {}};
    Series empty{"empty window", argv[4], {}, {}, {}, {}};
    const std::vector<Series*> all{&subject, &content, &empty};

    Server server;
    for (int run = 0; run < kWarmUpRuns; ++run)
        for (const Series* series : all)
            server.measure(series->program);
    // In turn, so that a slow spell of the machine falls on all of them.
    for (int run = 0; run < runs; ++run)
        for (Series* series : all)
            series->add(server.measure(series->program));

    std::printf("Start-up on a virtual X display, %d runs each, in turn; medians\n", runs);
    std::printf("  %-20s %11s %11s %18s %12s %11s\n", "program", "mapped", "painted",
                "painted min-max", "peak RSS", "CPU");
    for (const Series* series : all)
        printRow(*series);
    std::printf("Ratios of the medians\n");
    printRatio("start-up until painted / content floor", ratio(subject.painted, content.painted),
               kContentTarget);
    printRatio("start-up until painted / empty window", ratio(subject.painted, empty.painted),
               kEmptyTarget);
    printRatio("peak memory / content floor", ratio(subject.peak, content.peak), kContentTarget);
    std::printf("  %-44s %5.2f\n", "peak memory / empty window", ratio(subject.peak, empty.peak));
    std::printf("  %-44s %5.2f\n", "CPU time / content floor", ratio(subject.cpu, content.cpu));
    std::printf("  %-44s %5.2f\n", "CPU time / empty window", ratio(subject.cpu, empty.cpu));
    return 0;
}
