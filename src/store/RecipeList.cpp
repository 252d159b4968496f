#include "store/RecipeList.h"

#include "core/RuntimeError.h"

#include <algorithm>
#include <iterator>

int RecipeList::checkedSlot(Int16 index) const
{
    if (index.value() < 0 || index.value() >= slotCount())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    return index.value();
}

Recipe &RecipeList::at(Int16 index)
{
    return m_slots[size_t(checkedSlot(index))];
}

const Recipe &RecipeList::at(Int16 index) const
{
    return m_slots[size_t(checkedSlot(index))];
}

bool RecipeList::isValidCurrent(Int16 count, Int16 current)
{
    if (count > 0)
        return current >= 1 && current <= count;
    return count == 0 && (current == 0 || current == 1);
}

void RecipeList::setCurrent(Int16 index)
{
    if (!isValidCurrent(m_count, index))
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    m_current = index;
}

void RecipeList::sizeForLoading(Int16 count, Int16 current)
{
    if (!isValidCurrent(count, current))
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    // Free the old recipes before allocating the new slots, so a reload never holds both.
    std::vector<Recipe>().swap(m_slots);
    m_slots.resize(size_t(count.value()) + 1);
    m_count = count;
    m_current = current;
}

void RecipeList::resizeKeepingContents()
{
    m_slots.resize(size_t(m_count.value()) + 1);
}

void RecipeList::appendEmpty()
{
    m_count = m_count + 1; // raises "Overflow" at 32,767 before anything changes
    resizeKeepingContents();
    m_current = m_count;
}

void RecipeList::removeCurrent()
{
    if (m_count == 0)
        return;
    const int current = checkedSlot(m_current);
    std::move(m_slots.begin() + current + 1, m_slots.end(), m_slots.begin() + current);
    m_count = m_count - 1;
    resizeKeepingContents();
    if (m_current > m_count)
        m_current = m_current - 1;
}

bool RecipeList::invariantsHold() const
{
    if (m_count < 0 || !isValidCurrent(m_count, m_current))
        return false;
    if (m_slots.empty())
        return m_count == 0;
    return slotCount() == m_count.value() + 1;
}
