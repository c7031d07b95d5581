#pragma once

// Holds one reference to a COM interface and releases it when it ends.
template <class Interface>
class CComRef {
public:
    CComRef() = default;
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    ~CComRef()
    {
        if (m_pointer)
            m_pointer->Release();
    }

    Interface* operator->() const { return m_pointer; }
    Interface* Get() const { return m_pointer; }
    // The place a creating call stores its new reference in.
    void** Receive() { return reinterpret_cast<void**>(&m_pointer); }

private:
    Interface* m_pointer = nullptr;
};
