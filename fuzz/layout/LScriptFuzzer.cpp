// Arbitrary bytes as a layout script, run after the shipped library so that its macros are in
// reach. Must end within the step budget on any input, without a crash or a leak.
#include "layout/LScript.h"
#include "resources/ResourceSourceText.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string g_library;

// Stands in for the pane functions of the layout engine, with answers made from the arguments.
class FuzzScript : public LScript {
public:
    FuzzScript()
    {
        RegisterFunction("wp", static_cast<Function>(&FuzzScript::Size));
        RegisterFunction("hp", static_cast<Function>(&FuzzScript::Size));
        RegisterFunction("pp", static_cast<Function>(&FuzzScript::Size));
    }

private:
    int32_t Size() { return static_cast<int32_t>(static_cast<uint32_t>(Argument(0)) * 7u + static_cast<uint32_t>(Argument(1))); }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::ifstream file(INSTALLER_STDLAYOUT_SOURCE, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::string> strings;
    ResourceTextError error;
    if (ParseResourceSourceText(text.str(), &strings, &error) && !strings.empty())
        g_library = strings[0];
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    FuzzScript script;
    script.SetStepBudget(200000);
    script.Run(g_library.c_str());
    LCharStream input(reinterpret_cast<const char*>(data), size);
    script.Run(input);
    // Frames and arguments are back where they were: the library's constants still read.
    if (!g_library.empty() && script.Variable("kStdSpc") != 12 && !script.WasStopped()) {
        // The input may have reassigned the constant in the outermost frame; only a run that
        // did not touch the name may lose it.
        std::string text(reinterpret_cast<const char*>(data), size);
        if (text.find("kStdSpc") == std::string::npos)
            __builtin_trap();
    }
    return 0;
}
