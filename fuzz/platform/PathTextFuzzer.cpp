// Runs the native path functions over arbitrary byte texts with the Shift-JIS stepper. Checks
// that a parent is a prefix of its path (or a drive root), that the last component and the
// extension lie inside the path, and that sanitised names hold no byte a file name cannot have.
#include "platform/PathText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string raw(reinterpret_cast<const char*>(data), size);
    std::string path = raw.c_str();

    std::string parent = ParentPath(path.c_str()).Text();
    Check(parent.empty() || StartsWith(path, parent) || parent == DriveRootOf(path.c_str()).Text());
    Check(parent.size() < path.size() || parent.empty() || parent == DriveRootOf(path.c_str()).Text());

    std::string last = LastComponent(path.c_str()).Text();
    Check(last.size() <= path.size() && path.compare(path.size() - last.size(), last.size(), last) == 0);
    Check(ExtensionPos(path.c_str()) <= path.size());
    size_t at = 0;
    for (int guard = 0; at < path.size(); ++guard) {
        size_t next = SkipSeparators(path.c_str(), at);
        Check(next > at || next == path.size());
        if (next == at)
            break;
        at = next;
        Check(guard <= static_cast<int>(path.size()));
    }

    std::string joined = JoinPath(path.c_str(), "x").Text();
    Check(joined.size() >= path.size() + 1 && joined.back() == 'x');

    LString clean = SanitizeName(raw.data(), raw.size());
    Check(!clean.IsEmpty());
    for (size_t i = 0; i < clean.Length(); ++i) {
        unsigned char byte = static_cast<unsigned char>(clean.Text()[i]);
        // Second bytes of double-byte characters may be anything from 0x40 up.
        Check(byte >= 0x20 && (IsNameChar(byte) || byte >= 0x40));
    }
    return 0;
}
