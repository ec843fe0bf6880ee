#include "runtime/timer_queue.h"

#include <algorithm>

#include "runtime/form.h"

namespace kv {

void TimerQueue::add(Timer& t) {
    t.seq_ = made_++;
    timers_.push_back(&t);
}

void TimerQueue::remove(const Timer& t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &t), timers_.end());
}

void TimerQueue::removeAllOf(const Form& f) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](Timer* t) { return &t->form() == &f; }),
                  timers_.end());
}

void TimerQueue::schedule(Timer& t) { t.due_ = t.interval_ > 0 ? clock_ + std::uint64_t(t.interval_) : UINT64_MAX; }

Timer* TimerQueue::due() const {
    if (frozen_ > 0) return nullptr;
    Timer* best = nullptr;
    for (Timer* t : timers_) {
        if (!t->enabled_ || t->running_ || t->due_ > clock_) continue;
        if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->seq_ < best->seq_)) best = t;
    }
    return best;
}

std::optional<std::uint64_t> TimerQueue::nextDue() const {
    if (frozen_ > 0) return std::nullopt;
    std::optional<std::uint64_t> next;
    for (const Timer* t : timers_) {
        if (!t->enabled_ || t->running_ || t->due_ == UINT64_MAX) continue;
        if (!next || t->due_ < *next) next = t->due_;
    }
    return next;
}

void TimerQueue::fire(Timer& t) {
    t.running_ = true;
    schedule(t);
    ++ticks_;
    struct Done {
        Timer& t;
        ~Done() { t.running_ = false; }
    } done{t};
    t.handler_();
}

void TimerQueue::freeze(bool on) {
    if (on) {
        if (frozen_++ == 0) frozenSince_ = clock_;
        return;
    }
    if (--frozen_ == 0) {
        const std::uint64_t d = clock_ - frozenSince_;
        for (Timer* t : timers_)
            if (t->enabled_ && t->due_ != UINT64_MAX) t->due_ += d;
    }
}

}  // namespace kv
