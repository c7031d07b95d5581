#pragma once

#include "framework/LString.h"

#include <windows.h>
#include <commdlg.h>

// Lets the user pick a folder with the platform's save-file dialog: the file name and file
// type boxes are hidden, so only the folder view and the buttons remain, and confirming
// takes the folder the dialog shows. A place that is no real folder cannot be confirmed.
class CFolderChooser {
public:
    explicit CFolderChooser(HWND owner);
    CFolderChooser(const CFolderChooser&) = delete;
    CFolderChooser& operator=(const CFolderChooser&) = delete;

    void SetTitle(const LString& title) { m_title = title; }
    // The folder the dialog opens in; an empty text lets the platform choose.
    void SetInitialFolder(const LString& folder) { m_initialFolder = folder; }

    // Shows the dialog; true when the user confirmed a folder.
    bool Run();
    bool Confirmed() const { return m_confirmed; }
    // The chosen folder, exactly as the dialog reported it; empty unless confirmed.
    LString Result() const;

    static constexpr DWORD kFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLEHOOK | OFN_NOVALIDATE |
                                    OFN_NOREADONLYRETURN | OFN_NOTESTFILECREATE | OFN_NONETWORKBUTTON |
                                    OFN_EXPLORER | OFN_ENABLESIZING;
    static constexpr int kFileBufferSize = 260;

private:
    static UINT_PTR CALLBACK HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    void HideNameAndType(HWND dialog);
    bool TakeFolder(HWND dialog);

    HWND m_owner;
    LString m_title;
    LString m_initialFolder;
    bool m_confirmed = false;
    char m_file[kFileBufferSize] = {};
};
