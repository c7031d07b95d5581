#include "integration/SelfRemovalBatch.h"

#include "platform/CTextBuilder.h"
#include "platform/CharStep.h"

namespace {

// A path in double quotes. A '%' would start a batch variable, so it is written twice.
void AppendQuotedPath(CTextBuilder& text, const char* path)
{
    text.AppendChar('"');
    for (const char* at = path; *at;) {
        const char* next = NextChar(at);
        if (*at == '%')
            text.AppendChar('%');
        text.Append(at, static_cast<size_t>(next - at));
        at = next;
    }
    text.AppendChar('"');
}

void AppendCommand(CTextBuilder& text, const char* command, const char* path)
{
    text.Append(command);
    text.AppendChar(' ');
    AppendQuotedPath(text, path);
    text.Append("\r\n");
}

} // namespace

LString SelfRemovalBatchText(const char* uninstaller, const char* uninstallFolder, const char* destination,
                             const char* batchFile)
{
    CTextBuilder text;
    text.Append("@echo off\r\nset tries=\r\n:retry\r\n");
    AppendCommand(text, "del", uninstaller);
    text.Append("if not exist ");
    AppendQuotedPath(text, uninstaller);
    text.Append(" goto removed\r\nset tries=%tries%x\r\nif \"%tries%\"==\"");
    for (int i = 0; i < kSelfRemovalTries; ++i)
        text.AppendChar('x');
    // ping is the one way to wait a second that every command interpreter offers; where it is
    // missing the attempts simply follow each other faster.
    text.Append("\" goto removed\r\nping -n 2 127.0.0.1 >nul\r\ngoto retry\r\n:removed\r\n");
    AppendCommand(text, "rd", uninstallFolder);
    AppendCommand(text, "rd", destination);
    AppendCommand(text, "del", batchFile);
    return text.Failed() ? LString() : text.ToString();
}
