#include "install/ProcedureTexts.h"

#include "platform/CTextBuilder.h"
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

LString FilesInUseText(const LString* paths, int shown, int count, InstallMessage advice)
{
    CTextBuilder text;
    text.Append(ErrorText(kInsFileInUse));
    for (int i = 0; i < shown; ++i) {
        text.AppendChar('\n');
        text.Append(paths[i]);
    }
    if (count > shown)
        text.Append("\n...");
    text.Append("\n\n");
    text.Append(MessageText(advice));
    // Without the paths the plain advice still tells the user what to do.
    return text.Failed() ? MessageText(advice) : text.ToString();
}
