#pragma once
// Arrays numbered the way the game numbers them: Array<T, 1, 7> holds elements
// 1 to 7, Array<T, 0, 5> elements 0 to 5. An index outside the range is a fault
// in the game's arithmetic: it stops the program with a message instead of
// touching memory the array does not own.
#include <array>
#include <cstddef>
#include <span>

namespace kv {

[[noreturn]] void arrayIndexOutOfRange(long index, int lo, int hi);

template <class T, int Lo, int Hi>
class Array {
    static_assert(Lo <= Hi);

public:
    static constexpr int lo = Lo, hi = Hi;
    T& operator[](long i) {
        check(i);
        return items_[std::size_t(i - Lo)];
    }
    const T& operator[](long i) const {
        check(i);
        return items_[std::size_t(i - Lo)];
    }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    void fill(const T& v) { items_.fill(v); }
    // Elements From to To as one contiguous view.
    template <int From, int To>
    std::span<T, std::size_t(To - From + 1)> slots() {
        static_assert(Lo <= From && From <= To && To <= Hi);
        return std::span<T, std::size_t(To - From + 1)>(items_.data() + (From - Lo), std::size_t(To - From + 1));
    }
    bool operator==(const Array&) const = default;

private:
    static void check(long i) {
        if (i < Lo || i > Hi) arrayIndexOutOfRange(i, Lo, Hi);
    }
    std::array<T, std::size_t(Hi - Lo + 1)> items_{};
};

}  // namespace kv
