#pragma once

#include <new>

// The handle pattern of the framework's shared objects (regions, brushes, fonts, palettes,
// icons): a one-pointer handle to a reference-counted representation; copies share it and the
// last handle to go deletes it, which frees the native object. A null handle stands for "none".
template <class Rep>
class LShared {
public:
    LShared() = default;
    // Takes ownership of a freshly allocated representation (null is allowed).
    explicit LShared(Rep* rep) : m_rep(rep) {}
    LShared(const LShared& other) : m_rep(other.m_rep) { AddRef(); }
    LShared(LShared&& other) noexcept : m_rep(other.m_rep) { other.m_rep = nullptr; }
    ~LShared() { Release(); }
    LShared& operator=(const LShared& other)
    {
        if (m_rep != other.m_rep) {
            Release();
            m_rep = other.m_rep;
            AddRef();
        }
        return *this;
    }
    LShared& operator=(LShared&& other) noexcept
    {
        if (this != &other) {
            Release();
            m_rep = other.m_rep;
            other.m_rep = nullptr;
        }
        return *this;
    }

    Rep* Get() const { return m_rep; }
    Rep* operator->() const { return m_rep; }
    bool IsNull() const { return m_rep == nullptr; }
    bool SameAs(const LShared& other) const { return m_rep == other.m_rep; }
    int ShareCount() const { return m_rep ? m_rep->refs : 0; }

private:
    void AddRef()
    {
        if (m_rep)
            ++m_rep->refs;
    }
    void Release()
    {
        if (m_rep && --m_rep->refs == 0)
            delete m_rep;
        m_rep = nullptr;
    }
    Rep* m_rep = nullptr;
};

// Base of representations: the count starts at 1 for the handle that adopts it.
struct LSharedRep {
    int refs = 1;
};
