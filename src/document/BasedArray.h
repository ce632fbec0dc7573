#pragma once

#include <array>
#include <cassert>

// An array indexed from Lo to Hi inclusive, so code can use the radio's own
// numbering (groups 1..10, channels 1..46, modes 0..1) without off-by-one shifts.
// Out-of-range indexes are programming errors: every untrusted value is checked
// before it reaches one of these.
template <typename T, int Lo, int Hi> struct BasedArray {
    static_assert(Hi >= Lo);
    static constexpr int low = Lo;
    static constexpr int high = Hi;
    static constexpr int size = Hi - Lo + 1;

    std::array<T, size> items{};

    static constexpr bool contains(int index) { return index >= Lo && index <= Hi; }
    T& operator[](int index)
    {
        assert(contains(index));
        return items[static_cast<std::size_t>(index - Lo)];
    }
    const T& operator[](int index) const
    {
        assert(contains(index));
        return items[static_cast<std::size_t>(index - Lo)];
    }
    bool operator==(const BasedArray&) const = default;
};
