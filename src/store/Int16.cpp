#include "store/Int16.h"

#include "core/RuntimeError.h"

Int16::Int16(int value)
    : m_value(fromWide(value).m_value)
{ }

Int16 Int16::fromWide(qint64 value)
{
    if (value < Min || value > Max)
        throw RuntimeError(RuntimeError::Overflow);
    Int16 result;
    result.m_value = static_cast<qint16>(value);
    return result;
}
