#pragma once
// The platform's `set of` an enumeration: a bit per ordinal, stored as a 64-bit mask.

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> elements)
    {
        for (E e : elements)
            FBits |= Bit(e);
    }
    static constexpr TSet FromMask(uint64_t mask)
    {
        TSet s;
        s.FBits = mask;
        return s;
    }

    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr TSet& operator<<(E e) { FBits |= Bit(e); return *this; }
    constexpr TSet& operator>>(E e) { FBits &= ~Bit(e); return *this; }
    constexpr TSet operator+(TSet o) const { return FromMask(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromMask(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromMask(FBits & o.FBits); }
    constexpr bool operator==(const TSet&) const = default;
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint64_t Mask() const { return FBits; }

private:
    static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
    uint64_t FBits = 0;
};
