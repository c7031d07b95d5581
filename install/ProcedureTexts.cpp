#include "install/ProcedureTexts.h"

#include "resources/LStrList.h"

namespace {

LString ListText(const char* list, int index)
{
    LStrList strings(list, LStrList::kStrings);
    return strings.Get(index);
}

} // namespace

LString ErrorText(InstallResult code) { return ListText("ERRINS", code); }
LString MessageText(InstallMessage message) { return ListText("INSTMSG", message); }
LString ProgressMessage(ProgressText text) { return ListText("PROGMSG", text); }
