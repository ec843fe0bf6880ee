#pragma once
// The game's counters and flags: 16-bit signed whole numbers that behave as the
// game's platform has them. Arithmetic among them, and with plain int numbers,
// stays 16-bit: a result outside -32768 to 32767 is an overflow, which stops the
// program with a message instead of wrapping round. Storing a wider value (a
// long, a score) in one is checked the same way. Read, one is an int, so
// comparisons, switches and calls read as they would with a built-in number.
//
//     ++RodsDefused;
//     g.RadiationLevel += 19;
//     if (RodsNeeded <= 0) ...
#include <concepts>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

namespace kv {

[[noreturn]] void integerOverflow(std::int64_t value);

class Int16 {
public:
    static constexpr int lowest = std::numeric_limits<std::int16_t>::min();
    static constexpr int highest = std::numeric_limits<std::int16_t>::max();

    constexpr Int16() = default;
    // Any whole number, checked; a bool or a fraction must say how it becomes one.
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    constexpr Int16(T v) : value_(checked(v)) {}

    constexpr operator int() const { return value_; }

    constexpr Int16& operator+=(int d) { return *this = std::int64_t{value_} + d; }
    constexpr Int16& operator-=(int d) { return *this = std::int64_t{value_} - d; }
    constexpr Int16& operator*=(int d) { return *this = std::int64_t{value_} * d; }
    constexpr Int16& operator++() { return *this += 1; }
    constexpr Int16& operator--() { return *this -= 1; }
    constexpr Int16 operator++(int) {
        Int16 before = *this;
        ++*this;
        return before;
    }
    constexpr Int16 operator--(int) {
        Int16 before = *this;
        --*this;
        return before;
    }

private:
    template <std::integral T>
    static constexpr std::int16_t checked(T v) {
        if (!std::in_range<std::int16_t>(v)) {
            if constexpr (std::is_signed_v<T>) integerOverflow(v);
            else integerOverflow(std::in_range<std::int64_t>(v) ? static_cast<std::int64_t>(v)
                                                                : std::numeric_limits<std::int64_t>::max());
        }
        return static_cast<std::int16_t>(v);
    }
    std::int16_t value_ = 0;
};

static_assert(sizeof(Int16) == 2 && std::is_trivially_copyable_v<Int16>);

// Sums, differences and products of a counter with a counter or an int are
// counters, checked. Wider operands (a long, a fraction) and division take the
// built-in road through int.
template <class A, class B>
concept Int16Operands = (std::same_as<A, Int16> || std::same_as<A, int>) &&
                        (std::same_as<B, Int16> || std::same_as<B, int>) &&
                        (std::same_as<A, Int16> || std::same_as<B, Int16>);

template <class A, class B>
    requires Int16Operands<A, B>
constexpr Int16 operator+(A a, B b) {
    return Int16(std::int64_t{a} + int(b));
}
template <class A, class B>
    requires Int16Operands<A, B>
constexpr Int16 operator-(A a, B b) {
    return Int16(std::int64_t{a} - int(b));
}
template <class A, class B>
    requires Int16Operands<A, B>
constexpr Int16 operator*(A a, B b) {
    return Int16(std::int64_t{a} * int(b));
}

}  // namespace kv
