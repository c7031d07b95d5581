#pragma once

#include <new>

// A growable stack of plain records (the interpreter's arguments and saved frames). Push may
// fail when memory runs out; the stack then stays as it was and the caller decides.
template <class T>
class LScriptStack {
public:
    LScriptStack() = default;
    LScriptStack(const LScriptStack&) = delete;
    LScriptStack& operator=(const LScriptStack&) = delete;
    ~LScriptStack() { delete[] m_data; }

    int Count() const { return m_count; }
    T& At(int index) { return m_data[index]; }
    const T& At(int index) const { return m_data[index]; }

    bool Push(const T& item)
    {
        if (m_count == m_capacity && !Grow())
            return false;
        m_data[m_count++] = item;
        return true;
    }
    // Drops entries from the top until count entries remain; dropped entries are reset so
    // that what they hold (a variable's name) is released at once.
    void Shrink(int count)
    {
        if (count < 0)
            count = 0;
        while (m_count > count)
            m_data[--m_count] = T();
    }

private:
    bool Grow()
    {
        int capacity = m_capacity ? m_capacity * 2 : 16;
        T* data = new (std::nothrow) T[capacity];
        if (!data)
            return false;
        for (int i = 0; i < m_count; ++i)
            data[i] = m_data[i];
        delete[] m_data;
        m_data = data;
        m_capacity = capacity;
        return true;
    }

    T* m_data = nullptr;
    int m_count = 0;
    int m_capacity = 0;
};
