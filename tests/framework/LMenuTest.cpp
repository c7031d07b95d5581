// Menus built from menu strings, their accelerators and their native state, on a framework
// window driven with window messages.
#include "framework/LMenuBar.h"

#include "framework/LDialogDef.h"
#include "framework/LFrame.h"
#include "framework/LMessageNames.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "tests/framework/AppFixture.h"
#include "tests/support/Screenshot.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

void Fill(LMenu::Strings* strings, std::initializer_list<const char*> texts)
{
    for (const char* text : texts)
        strings->Append(new LString(text));
}

bool TestMenus(const char* name, LMenu::Strings* strings)
{
    const std::string n = name;
    if (n == "FILE")
        Fill(strings, {"FILE\n&File\n", "LStdCmd_Quit\nE&xit\n"});
    else if (n == "EDIT")
        Fill(strings, {"EDIT\n&Edit", "LStdCmd_Undo\n&Undo\ncZ", "", "LStdCmd_Cut\nCu&t\ncX",
                       "LStdCmd_Copy\n&Copy\ncC", "LStdCmd_Paste\n&Paste\nac", "LStdCmd_Clear\nMore\n\nMORE"});
    else if (n == "MORE")
        Fill(strings, {"MORE\nMore", "LStdCmd_Help\n&Help\nsH"});
    return n == "FILE" || n == "EDIT" || n == "MORE";
}

// Enables and relabels commands when the bar opens, and records the chosen ones.
struct Commands : LHandler {
    explicit Commands(LHandler* next) : LHandler(next) {}
    LMessage Handle(const LMessage& m) override
    {
        if (m.Is(LMenuBar_Ready)) {
            LMenuBar* bar = static_cast<LMenuBar*>(m.param);
            bar->EnableCommand(LStdCmd_Undo, "&Undo typing");
            bar->EnableCommand(LStdCmd_Copy, "&Copy all", true); // relabelled, still disabled
            bar->EnableCommand(LStdCmd_Quit);
        }
        if (m.Is(LMenuItem_Selected)) {
            LMenuItem* item = static_cast<LMenuItem*>(m.param);
            chosen.push_back(item->AnswersTo(LStdCmd_Undo) ? "undo" : item->AnswersTo(LStdCmd_Quit) ? "quit" : "other");
            return Consumed();
        }
        return LHandler::Handle(m);
    }
    std::vector<std::string> chosen;
};

class LMenuTest : public AppFixture {
protected:
    void SetUp() override
    {
        LMenu::SetLoader(&TestMenus);
        frame = new LFrame(&commands, nullptr, &definition);
        LMenu::Strings names;
        Fill(&names, {"FILE", "EDIT", "NOSUCH"});
        bar = new LMenuBar(frame, names);
        LMenu::FreeStrings(&names);
        frame->Window()->AttachMenuBar(bar);
        frame->Window()->SetContentRect(RECT{100, 100, 400, 250});
        LThreadWindows::Show(frame->Window());
        Pump();
    }
    void TearDown() override
    {
        frame->Window()->AttachMenuBar(nullptr);
        delete bar;
        delete frame;
        LMenu::SetLoader(nullptr);
        Pump();
    }
    LMenuItem* ItemOf(const char* command)
    {
        LMenuItem* found = nullptr;
        for (LMenu* menu : bar->Menus())
            menu->ForEachItem([&](LMenuItem* item) {
                if (!found && item->AnswersTo(command))
                    found = item;
            });
        return found;
    }
    static std::string Text(HMENU menu, int position)
    {
        char text[64] = {};
        GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
        return text;
    }

    Commands commands{&app};
    LDialogDef definition{1};
    LFrame* frame = nullptr;
    LMenuBar* bar = nullptr;
};

} // namespace

TEST_F(LMenuTest, MenusItemsAndShortcutsComeFromTheMenuStrings)
{
    HMENU native = GetMenu(frame->Window()->Handle());
    ASSERT_EQ(native, bar->Handle());
    EXPECT_EQ(GetMenuItemCount(native), 3); // a missing menu is an empty one
    HMENU edit = GetSubMenu(native, 1);
    EXPECT_EQ(GetMenuItemCount(edit), 6);
    EXPECT_EQ(Text(edit, 0), "&Undo\tCtrl+Z");
    EXPECT_TRUE(GetMenuState(edit, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(Text(edit, 4), "&Paste"); // "ac" holds modifier letters only: no shortcut at all
    const LMenuItem* help = ItemOf(LStdCmd_Help); // from the submenu
    ASSERT_NE(help, nullptr);
    EXPECT_STREQ(help->ShortcutText().Text(), "Shift+H");
    // One accelerator record per shortcut (Ctrl+Z, Ctrl+X, Ctrl+C, Shift+H); Ctrl+Z is tried below.
    EXPECT_EQ(bar->Accelerators().Count(), 4);
    ItemOf(LStdCmd_Cut)->RemoveShortcut();
    EXPECT_EQ(bar->Accelerators().Count(), 3);
}

TEST_F(LMenuTest, OpeningTheBarDisablesEveryCommandNobodyEnables)
{
    SendMessageA(frame->Window()->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(bar->Handle()), 0);
    HMENU edit = GetSubMenu(bar->Handle(), 1);
    EXPECT_FALSE(GetMenuState(edit, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(Text(edit, 0), "&Undo typing\tCtrl+Z");
    EXPECT_TRUE(GetMenuState(edit, 2, MF_BYPOSITION) & MF_GRAYED); // Cut
    EXPECT_TRUE(GetMenuState(edit, 3, MF_BYPOSITION) & MF_GRAYED); // Copy, kept disabled
    EXPECT_EQ(Text(edit, 3), "&Copy all\tCtrl+C");
    EXPECT_FALSE(GetMenuState(GetSubMenu(bar->Handle(), 0), 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(testsupport::SaveScreenshot("menu-window", frame->Window()->Handle()).empty());
}

TEST_F(LMenuTest, ChosenItemsAndCtrlZReachTheFocusTarget)
{
    HWND handle = frame->Window()->Handle();
    SendMessageA(handle, WM_COMMAND, MAKEWPARAM(ItemOf(LStdCmd_Quit)->Id(), 0), 0);
    // Ctrl+Z through the event loop's accelerator translation.
    SetForegroundWindow(handle);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == handle; }));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(handle, WM_KEYDOWN, 'Z', 1);
    Pump();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(commands.chosen, (std::vector<std::string>{"quit", "undo"}));
}
