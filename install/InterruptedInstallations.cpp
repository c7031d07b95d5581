#include "install/InterruptedInstallations.h"

#include "install/CInstJournal.h"
#include "install/CInstallMarks.h"
#include "install/JournalPaths.h"

#include <cstring>

namespace {

void Finish(const char* marksKey, const LString& product, const LString& destination, CInterruptedOutcome& outcome)
{
    CInstallMarks marks(marksKey, product);
    if (!IsProductFolder(destination, product)) {
        outcome.refused = destination;
        return;
    }
    CInstJournal journal;
    switch (journal.Resume(marksKey, product, destination)) {
    case CJournalFile::kMissing:
        // Cut off before its journal existed, or after it went: nothing to undo.
        marks.Remove(destination);
        return;
    case CJournalFile::kInUse:
        return;
    case CJournalFile::kRefused:
        outcome.refused = destination;
        return;
    case CJournalFile::kResumed:
        break;
    }
    bool complete = true;
    if (journal.FinishInterrupted(complete, &outcome.inTheWay) && complete)
        ++outcome.undone;
}

} // namespace

CInterruptedOutcome FinishInterruptedInstallations(const char* marksKey, const LString& product)
{
    CInterruptedOutcome outcome;
    LString marked = CInstallMarks(marksKey, product).List();
    const char* const stop = marked.Text() + marked.Length();
    for (const char* at = marked.Text(); *at;) {
        const char* end = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(stop - at)));
        if (!end)
            break;
        Finish(marksKey, product, LString(at, static_cast<size_t>(end - at)), outcome);
        at = end + 1;
    }
    return outcome;
}
