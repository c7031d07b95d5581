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
LString TextOrMessage(const LString& text, InstallMessage message)
{
    return text.IsEmpty() ? MessageText(message) : text;
}

LString MessageAbout(InstallMessage message, const LString& path)
{
    CTextBuilder text;
    text.Append(MessageText(message));
    text.AppendChar('\n');
    text.Append(path);
    return text.Failed() ? MessageText(message) : text.ToString();
}

LString ProgressMessage(ProgressText text) { return ListText("PROGMSG", text); }
