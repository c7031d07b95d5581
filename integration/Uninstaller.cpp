#include "integration/Uninstaller.h"

#include "framework/LString.h"
#include "integration/CStartedProcess.h"
#include "integration/SelfRemovalBatch.h"
#include "platform/CParentFolderOp.h"
#include "platform/CTempFile.h"
#include "platform/CTextBuilder.h"

#include <windows.h>

#include <cstring>
#include <new>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(STARTUPINFOA) == 68, "STARTUPINFOA record size");
#endif

namespace {

// A read-only file cannot be deleted by the batch's "del"; the bit is taken off first.
void MakeWritable(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

} // namespace

void RemoveSelf(const char* ownPath, const char* tempFolder)
{
    CTempFile batch(tempFolder, "unins.bat");
    if (!batch.Created())
        return;
    CParentFolderOp uninstallFolder(ownPath);
    CParentFolderOp destination(uninstallFolder.ResultPath().Text());
    LString text = SelfRemovalBatchText(ownPath, uninstallFolder.ResultPath().Text(),
                                        destination.ResultPath().Text(), batch.Path().Text());
    if (text.IsEmpty())
        return;
    batch.Contents().Write(text.Text(), static_cast<int32_t>(text.Length()));
    if (batch.Contents().Failed())
        return; // a batch cut short could stop after any line; the temporary file goes
    // The command interpreter must be able to open it.
    batch.Close();
    MakeWritable(ownPath);

    CTextBuilder commandLine;
    commandLine.AppendChar('"');
    commandLine.Append(batch.Path());
    commandLine.AppendChar('"');
    if (commandLine.Failed())
        return;
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    char* command = new (std::nothrow) char[commandLine.Length() + 1];
    if (!command)
        return;
    std::memcpy(command, commandLine.Text(), commandLine.Length() + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    CStartedProcess process;
    BOOL started = CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, IDLE_PRIORITY_CLASS, nullptr, nullptr,
                                  &startup, process.Receive());
    delete[] command;
    // The batch deletes itself; only a batch that never started is removed here.
    if (started)
        batch.Keep();
}
