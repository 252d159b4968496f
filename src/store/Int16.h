#pragma once

#include <QtGlobal>

// A 16-bit signed counter whose arithmetic raises the overflow error instead of wrapping. Every
// conversion from a wider integer is checked, so a value outside -32768..32767 can never be held.
class Int16
{
public:
    static constexpr int Min = -32768;
    static constexpr int Max = 32767;

    constexpr Int16() = default;
    Int16(int value); // NOLINT: implicit on purpose, checked

    static Int16 fromWide(qint64 value);

    constexpr qint16 value() const { return m_value; }

    friend Int16 operator+(Int16 a, Int16 b) { return fromWide(qint64(a.m_value) + b.m_value); }
    friend Int16 operator-(Int16 a, Int16 b) { return fromWide(qint64(a.m_value) - b.m_value); }
    friend constexpr bool operator==(Int16 a, Int16 b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(Int16 a, Int16 b) { return a.m_value != b.m_value; }
    friend constexpr bool operator<(Int16 a, Int16 b) { return a.m_value < b.m_value; }
    friend constexpr bool operator<=(Int16 a, Int16 b) { return a.m_value <= b.m_value; }
    friend constexpr bool operator>(Int16 a, Int16 b) { return a.m_value > b.m_value; }
    friend constexpr bool operator>=(Int16 a, Int16 b) { return a.m_value >= b.m_value; }

private:
    qint16 m_value = 0;
};
