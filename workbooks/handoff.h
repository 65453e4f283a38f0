#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tokivane {

// What one thread makes and another takes, in order, no more than a few
// ahead.
template <typename Item> class Handoff {
  public:
    explicit Handoff(std::size_t ahead) : ahead_(ahead) {}

    // False once the taker has stopped.
    bool push(Item item) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || items_.size() < ahead_; });
        if (stopped_)
            return false;
        items_.push_back(std::move(item));
        changed_.notify_all();
        return true;
    }
    // Nothing more is coming.
    void finish() {
        const std::lock_guard lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }
    // The next item; false once there are no more.
    bool pop(Item& item) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return finished_ || !items_.empty(); });
        if (items_.empty())
            return false;
        item = std::move(items_.front());
        items_.pop_front();
        changed_.notify_all();
        return true;
    }
    // An item the taker is done with, for the maker to make the next one
    // in: what it holds keeps the memory it was given. False if none is.
    bool takeBack(Item& item) {
        const std::lock_guard lock(mutex_);
        if (spent_.empty())
            return false;
        item = std::move(spent_.back());
        spent_.pop_back();
        return true;
    }
    // Every item is kept for taking back, so that none is let go on the
    // taker's thread: no more are made than a few ahead.
    void giveBack(Item item) {
        const std::lock_guard lock(mutex_);
        spent_.push_back(std::move(item));
    }
    void stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

  private:
    const std::size_t ahead_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> items_;
    std::vector<Item> spent_;
    bool finished_ = false;
    bool stopped_ = false;
};

// Runs `make(handoff)` on a thread of its own while `take(item)` gets here
// what it pushes, until `take` returns false or nothing more comes; each
// item taken whole is given back, for `make` to take back. However the
// taking ends, `take` throwing too, the making is stopped and waited for;
// what `make` throws is thrown here. Whether `take` stopped it.
template <typename Item, typename Make, typename Take>
bool handOff(std::size_t ahead, Make make, Take take) {
    Handoff<Item> handoff(ahead);
    std::exception_ptr failure;
    bool stopped = false;
    {
        std::thread maker([&] {
            try {
                make(handoff);
            } catch (...) {
                failure = std::current_exception();
            }
            handoff.finish();
        });
        const auto joined = [&](std::thread* thread) {
            handoff.stop();
            thread->join();
        };
        const std::unique_ptr<std::thread, decltype(joined)> waited(&maker, joined);
        Item item;
        while (!stopped && handoff.pop(item)) {
            stopped = !take(item);
            handoff.giveBack(std::move(item));
        }
    }
    if (failure)
        std::rethrow_exception(failure);
    return stopped;
}

} // namespace tokivane
