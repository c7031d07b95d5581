#pragma once

#include <windows.h>
#include <setupapi.h>

// The context of the Setup API's default file queue callback, without an owner window; ended
// on destruction.
class CQueueCallbackContext {
public:
    CQueueCallbackContext() : m_context(SetupInitDefaultQueueCallback(nullptr)) {}
    CQueueCallbackContext(const CQueueCallbackContext&) = delete;
    CQueueCallbackContext& operator=(const CQueueCallbackContext&) = delete;
    ~CQueueCallbackContext()
    {
        if (m_context)
            SetupTermDefaultQueueCallback(m_context);
    }

    void* Get() const { return m_context; }

private:
    void* m_context;
};
