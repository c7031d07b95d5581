#pragma once

// Growable array of pointers (count, capacity, data). Append may fail when memory runs out;
// the array then stays as it was. The array never owns what its pointers point at.
class LPtrArrayBase {
public:
    LPtrArrayBase() = default;
    LPtrArrayBase(const LPtrArrayBase&) = delete;
    LPtrArrayBase& operator=(const LPtrArrayBase&) = delete;
    ~LPtrArrayBase();

    int Count() const { return m_count; }
    int Capacity() const { return m_capacity; }
    bool IsEmpty() const { return m_count == 0; }

    bool Append(void* item);
    // Removes the entry at index; later entries move down. Out-of-range indexes do nothing.
    void RemoveAt(int index);
    // Removes and returns the last entry, or null when the array is empty.
    void* Pop();
    void Clear() { m_count = 0; }
    int IndexOf(const void* item) const;
    // Orders the entries; `compare` is qsort's, each argument pointing at an entry.
    void Sort(int (*compare)(const void* left, const void* right));

protected:
    void* RawAt(int index) const { return index >= 0 && index < m_count ? m_data[index] : nullptr; }

private:
    int m_count = 0;
    int m_capacity = 0;
    void** m_data = nullptr;
};

template <class T = void>
class LPtrArray : public LPtrArrayBase {
public:
    bool Append(T* item) { return LPtrArrayBase::Append(const_cast<void*>(static_cast<const void*>(item))); }
    T* At(int index) const { return static_cast<T*>(RawAt(index)); }
    T* Last() const { return At(Count() - 1); }
    T* Pop() { return static_cast<T*>(LPtrArrayBase::Pop()); }
};
