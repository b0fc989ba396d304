#pragma once

#include <cstdint>
#include <iterator>
#include <memory>

// Link record embedded in every list element.
struct _LIST_OBJECT {
    _LIST_OBJECT* pNext = nullptr;
    _LIST_OBJECT* pPrev = nullptr;
};

// Owning, ordered, doubly linked list of elements that derive from _LIST_OBJECT.
// Elements are only ever appended, so iteration order is insertion order.
template <class T>
class CListEx {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;

        iterator() = default;
        explicit iterator(_LIST_OBJECT* link) : m_link(link) {}
        T& operator*() const { return *static_cast<T*>(m_link); }
        T* operator->() const { return static_cast<T*>(m_link); }
        iterator& operator++() {
            m_link = m_link->pNext;
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const iterator&) const = default;

    private:
        _LIST_OBJECT* m_link = nullptr;
    };

    CListEx() = default;
    CListEx(const CListEx&) = delete;
    CListEx& operator=(const CListEx&) = delete;
    virtual ~CListEx() { Clear(); }

    // Takes ownership and links the element after the last one.
    T* Append(std::unique_ptr<T> element) noexcept {
        T* raw = element.release();
        _LIST_OBJECT* link = raw;
        link->pNext = nullptr;
        link->pPrev = m_ends.pPrev;
        if (m_ends.pPrev != nullptr)
            m_ends.pPrev->pNext = link;
        else
            m_ends.pNext = link;
        m_ends.pPrev = link;
        ++m_count;
        return raw;
    }

    // Moves every element of `other` behind the last element of this list.
    void Splice(CListEx& other) noexcept {
        if (other.m_ends.pNext == nullptr) return;
        if (m_ends.pPrev != nullptr) {
            m_ends.pPrev->pNext = other.m_ends.pNext;
            other.m_ends.pNext->pPrev = m_ends.pPrev;
        } else {
            m_ends.pNext = other.m_ends.pNext;
        }
        m_ends.pPrev = other.m_ends.pPrev;
        m_count += other.m_count;
        other.m_ends = {};
        other.m_count = 0;
    }

    // Deletes every element, first to last.
    void Clear() noexcept {
        _LIST_OBJECT* link = m_ends.pNext;
        m_ends = {};
        m_count = 0;
        while (link != nullptr) {
            _LIST_OBJECT* next = link->pNext;
            delete static_cast<T*>(link);
            link = next;
        }
    }

    std::uint32_t GetCount() const noexcept { return m_count; }
    bool IsEmpty() const noexcept { return m_count == 0; }
    T* GetFirst() const noexcept { return static_cast<T*>(m_ends.pNext); }
    T* GetLast() const noexcept { return static_cast<T*>(m_ends.pPrev); }

    iterator begin() const noexcept { return iterator(m_ends.pNext); }
    iterator end() const noexcept { return iterator(); }

private:
    _LIST_OBJECT m_ends;  // pNext: first element, pPrev: last element
    std::uint32_t m_count = 0;
};
