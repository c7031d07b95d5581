#pragma once

// Test doubles for layout scripts: panes with fixed answers behind pp, wp, hp and the frame
// functions, and the resource source texts read from the source tree.
#include "layout/LScript.h"
#include "resources/ResourceSourceText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The strings of a resource source file; a file that cannot be read or parsed fails the test.
inline std::vector<std::string> LoadResourceSource(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::string> strings;
    ResourceTextError error;
    if (!file || !ParseResourceSourceText(text.str(), &strings, &error)) {
        ADD_FAILURE() << path << ":" << error.line << ": " << error.message;
        strings.clear();
    }
    return strings;
}

struct FakePane {
    int32_t width = 0;  // preferred width, plain question
    int32_t height = 0; // preferred height, plain question
    int32_t base = 0;   // answer to the text-base hint
    int32_t l = 0, t = 0, r = 0, b = 0;
};

// Answers pp, wp, hp, l, t, r, b, w and h over a list of fake panes (id 0 is the window).
class FakePaneScript : public LScript {
public:
    FakePaneScript()
    {
        RegisterFunction("pp", static_cast<Function>(&FakePaneScript::Pp));
        RegisterFunction("wp", static_cast<Function>(&FakePaneScript::Wp));
        RegisterFunction("hp", static_cast<Function>(&FakePaneScript::Hp));
        RegisterFunction("l", static_cast<Function>(&FakePaneScript::L));
        RegisterFunction("t", static_cast<Function>(&FakePaneScript::T));
        RegisterFunction("r", static_cast<Function>(&FakePaneScript::R));
        RegisterFunction("b", static_cast<Function>(&FakePaneScript::B));
        RegisterFunction("w", static_cast<Function>(&FakePaneScript::W));
        RegisterFunction("h", static_cast<Function>(&FakePaneScript::H));
    }

    std::vector<FakePane> panes = std::vector<FakePane>(1); // panes[0] is the window
    int wpCalls = 0;

private:
    FakePane* Pane()
    {
        int32_t id = Argument(0);
        return id >= 0 && id < static_cast<int32_t>(panes.size()) ? &panes[id] : nullptr;
    }
    int32_t Pp()
    {
        if (FakePane* pane = Pane()) {
            pane->l = Argument(1);
            pane->t = Argument(2);
            pane->r = Argument(3);
            pane->b = Argument(4);
        }
        return 0;
    }
    int32_t Wp()
    {
        ++wpCalls;
        FakePane* pane = Pane();
        if (!pane)
            return 0;
        return Argument(1) == -11 ? 2 : Argument(1) == -2 ? pane->width * 3 : pane->width;
    }
    int32_t Hp()
    {
        FakePane* pane = Pane();
        if (!pane)
            return 0;
        return Argument(1) == -10 ? pane->base : Argument(1) == -1 ? pane->height / 2 : pane->height;
    }
    int32_t L() { return Pane() ? Pane()->l : 0; }
    int32_t T() { return Pane() ? Pane()->t : 0; }
    int32_t R() { return Pane() ? Pane()->r : 0; }
    int32_t B() { return Pane() ? Pane()->b : 0; }
    int32_t W() { return Pane() ? Pane()->r - Pane()->l : 0; }
    int32_t H() { return Pane() ? Pane()->b - Pane()->t : 0; }
};

inline std::string LoadStdLayout()
{
    std::vector<std::string> strings = LoadResourceSource(INSTALLER_STDLAYOUT_SOURCE);
    if (strings.size() != 1) {
        ADD_FAILURE() << INSTALLER_STDLAYOUT_SOURCE << ": one string expected, " << strings.size() << " found";
        return std::string();
    }
    return strings[0];
}

