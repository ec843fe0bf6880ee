#pragma once
// The timers of every loaded form, in the order they fire: by due time, ties in
// the order the timers were made. A tick that fell behind fires once and is
// due again one interval after it fired (no bursts). While a message box is up
// the timers are frozen; afterwards each is due as much later as the box was up.
#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

class Form;
class Timer;

class TimerQueue {
public:
    // The queue reads the game's clock, which the dispatcher moves.
    explicit TimerQueue(const std::uint64_t& clock) : clock_(clock) {}
    TimerQueue(const TimerQueue&) = delete;
    TimerQueue& operator=(const TimerQueue&) = delete;

    void add(Timer& t);
    // Drops the timer (unloading its form stops it at once); no-op if not queued.
    void remove(const Timer& t);
    void removeAllOf(const Form& f);
    // Due one interval from now (never, for an interval of 0).
    void schedule(Timer& t);
    // The first timer due now, or null; none while frozen or for a timer whose
    // handler is still running.
    Timer* due() const;
    // When the next timer falls due, if any is enabled.
    std::optional<std::uint64_t> nextDue() const;
    void fire(Timer& t);
    void freeze(bool on);
    // Every timer the dispatcher will fire, enabled or not: what the soak
    // checks against the forms that are still loaded.
    const std::vector<Timer*>& all() const { return timers_; }
    std::uint64_t ticksFired() const { return ticks_; }

private:
    const std::uint64_t& clock_;
    std::vector<Timer*> timers_;
    std::uint64_t made_ = 0;
    std::uint64_t ticks_ = 0;
    int frozen_ = 0;
    std::uint64_t frozenSince_ = 0;
};

}  // namespace kv
