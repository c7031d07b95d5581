#include "install/InterruptedInstallations.h"

#include "install/CInstJournal.h"
#include "install/CJournalFile.h"
#include "platform/CFindHandle.h"
#include "platform/PathText.h"

int UndoInterruptedInstallations(const char* folder, const LString& product)
{
    LString pattern = CJournalFile::PatternFor(folder, product);
    WIN32_FIND_DATAA found;
    CFindHandle find;
    find.Reset(pattern.IsEmpty() ? INVALID_HANDLE_VALUE : FindFirstFileA(pattern.Text(), &found));
    if (!find.IsValid())
        return 0;
    int undone = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CInstJournal journal;
        if (journal.Resume(JoinPath(folder, found.cFileName).Text(), product) && journal.FinishInterrupted())
            ++undone;
    } while (FindNextFileA(find.Get(), &found));
    return undone;
}
