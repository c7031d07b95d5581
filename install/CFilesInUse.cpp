#include "install/CFilesInUse.h"

#include "platform/CTextBuilder.h"

LString CFilesInUse::Text(InstallMessage advice) const
{
    CTextBuilder text;
    text.Append(ErrorText(kInsFileInUse));
    for (int i = 0; i < m_count && i < kShown; ++i) {
        text.AppendChar('\n');
        text.Append(m_paths[i]);
    }
    if (m_count > kShown)
        text.Append("\n...");
    text.Append("\n\n");
    text.Append(MessageText(advice));
    // Without the paths the advice alone still tells the user what to do.
    return text.Failed() ? MessageText(advice) : text.ToString();
}
