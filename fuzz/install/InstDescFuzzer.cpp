// Parses arbitrary installation descriptions for an English and a Japanese user. Checks that
// one-line values and list lines never hold a line end and that every line break inside a
// several-line value is a CR LF pair.
#include "install/CInstDesc.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool HasLineEnd(const LString& text)
{
    return std::strpbrk(text.Text(), "\r\n") != nullptr;
}

bool BreaksArePairs(const LString& text)
{
    const char* t = text.Text();
    for (size_t i = 0; t[i]; ++i) {
        if (t[i] == '\r' && t[i + 1] != '\n')
            return false;
        if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (unsigned language : {1033u, 1041u}) {
        CInstDesc desc;
        desc.Parse(reinterpret_cast<const char*>(data), size, language);
        for (DescText field : {kDescInsWin, kDescFolder, kDescUniWin})
            Check(!HasLineEnd(desc.Text(field)));
        for (int field = 0; field < kDescTextCount; ++field)
            Check(BreaksArePairs(desc.Text(static_cast<DescText>(field))));
        for (int list = 0; list < kDescListCount; ++list) {
            const CTextLines& lines = desc.List(static_cast<DescList>(list));
            for (int i = 0; i < lines.Count(); ++i) {
                Check(!lines.At(i).IsEmpty());
                Check(!HasLineEnd(lines.At(i)));
            }
        }
    }
    return 0;
}
