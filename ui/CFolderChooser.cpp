#include "ui/CFolderChooser.h"

#include "framework/LOwnModule.h"
#include "integration/CModule.h"

#include <cstddef>
#include <cstring>

namespace {

// The older, shorter request record ends with the template name; it carries everything this
// dialog uses and is understood by every version of the platform.
constexpr DWORD kOldRecordSize = DWORD(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR));

// Controls of the explorer-style save dialog that only matter for file names: the name box
// (an edit field in older dialogs, a combo box in newer ones), the type box and their labels.
constexpr int kNameEdit = 0x480;
constexpr int kNameCombo = 0x47C;
constexpr int kTypeCombo = 0x470;
constexpr int kTypeLabel = 0x441;
constexpr int kNameLabel = 0x442;

constexpr int kFolderBufferSize = 300;

using SaveFileName = BOOL(WINAPI*)(LPOPENFILENAMEA request);

} // namespace

static_assert(CFolderChooser::kFlags == 0x8B812C, "the chooser's dialog flags");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(kOldRecordSize == 76, "the older request record layout");
#endif

CFolderChooser::CFolderChooser(HWND owner) : m_owner(owner)
{
}

bool CFolderChooser::Run()
{
    m_confirmed = false;
    std::memcpy(m_file, "nullfile", sizeof("nullfile"));

    OPENFILENAMEA request = {};
    request.lStructSize = kOldRecordSize;
    request.hwndOwner = m_owner;
    request.hInstance = LOwnModule();
    request.lpstrFile = m_file;
    request.nMaxFile = kFileBufferSize;
    request.lpstrTitle = m_title.IsEmpty() ? nullptr : m_title.Text();
    request.lpstrInitialDir = m_initialFolder.IsEmpty() ? nullptr : m_initialFolder.Text();
    request.Flags = kFlags;
    request.lpfnHook = HookProc;
    request.lCustData = reinterpret_cast<LPARAM>(this);

    // Bound here, not at start: only the chooser needs comdlg32 (and the shell behind it). A
    // system without it answers as a cancelled chooser.
    CModule comdlg("comdlg32");
    SaveFileName saveFileName =
        reinterpret_cast<SaveFileName>(reinterpret_cast<void*>(comdlg.GetProc("GetSaveFileNameA")));
    m_confirmed = saveFileName && saveFileName(&request) != 0;
    return m_confirmed;
}

LString CFolderChooser::Result() const
{
    return m_confirmed ? LString(m_file, kFileBufferSize - 1) : LString();
}

UINT_PTR CALLBACK CFolderChooser::HookProc(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const OPENFILENAMEA* request = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(hook, GWLP_USERDATA, request->lCustData);
        return 0;
    }
    if (message != WM_NOTIFY)
        return 0;
    CFolderChooser* chooser = reinterpret_cast<CFolderChooser*>(GetWindowLongPtrA(hook, GWLP_USERDATA));
    if (!chooser)
        return 0;
    // The hook's window is a child of the real dialog, which owns the standard controls.
    HWND dialog = GetParent(hook);
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == CDN_INITDONE) {
        chooser->HideNameAndType(dialog);
    } else if (header->code == CDN_FILEOK) {
        if (!chooser->TakeFolder(dialog)) {
            SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
            return 1;
        }
    }
    return 0;
}

void CFolderChooser::HideNameAndType(HWND dialog)
{
    static const unsigned short ids[] = {kNameEdit, kNameCombo, kTypeCombo, kTypeLabel, kNameLabel};
    for (int id : ids)
        SendMessageA(dialog, CDM_HIDECONTROL, WPARAM(id), 0);
}

bool CFolderChooser::TakeFolder(HWND dialog)
{
    char folder[kFolderBufferSize] = {};
    LRESULT length = SendMessageA(dialog, CDM_GETFOLDERPATH, WPARAM(sizeof(folder)), LPARAM(folder));
    // A negative answer means no file-system folder (a virtual place such as the computer
    // itself). A path that does not fit the file name buffer is refused too rather than cut.
    if (length <= 0 || size_t(length) > sizeof(folder))
        return false;
    const void* end = std::memchr(folder, 0, sizeof(folder));
    size_t pathLength = end ? size_t(static_cast<const char*>(end) - folder) : sizeof(folder);
    if (pathLength == 0 || pathLength >= sizeof(folder) || pathLength >= size_t(kFileBufferSize))
        return false;
    // Some platforms answer with a parsing name ("::{...}") for places that are no folder;
    // only a folder that exists on disk is taken.
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    std::memcpy(m_file, folder, pathLength + 1);
    return true;
}
