#pragma once

#include "platform/errors.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace platform {

// A table with a fixed lower bound (0 for the lyric events, 1 for most others) whose subscripts
// are checked: an index outside lower()..upper() is error 9, never undefined behaviour.
template <typename T> class Array {
public:
    explicit Array(int lowerBound = 0) : m_lower(lowerBound) {}

    int lower() const noexcept { return m_lower; }
    // lower() - 1 when the table is empty.
    int upper() const noexcept { return m_lower + static_cast<int>(m_items.size()) - 1; }
    int count() const noexcept { return static_cast<int>(m_items.size()); }
    bool empty() const noexcept { return m_items.empty(); }

    T& operator[](int index) { return m_items[offset(index)]; }
    const T& operator[](int index) const { return m_items[offset(index)]; }

    // Resizes to lower()..upperBound; kept elements keep their values, new ones are default.
    void resize(int upperBound) {
        m_items.resize(upperBound < m_lower ? 0
                                            : static_cast<std::size_t>(upperBound - m_lower + 1));
    }
    void clear() noexcept { m_items.clear(); }
    void append(T item) { m_items.push_back(std::move(item)); }
    void reserve(std::size_t n) { m_items.reserve(n); }

    auto begin() noexcept { return m_items.begin(); }
    auto end() noexcept { return m_items.end(); }
    auto begin() const noexcept { return m_items.begin(); }
    auto end() const noexcept { return m_items.end(); }

    friend bool operator==(const Array&, const Array&) = default;

private:
    std::size_t offset(int index) const {
        if (index < m_lower || index > upper())
            raiseError(err::SubscriptOutOfRange);
        return static_cast<std::size_t>(index - m_lower);
    }

    int m_lower;
    std::vector<T> m_items;
};

} // namespace platform
