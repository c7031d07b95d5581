// Menus built from menu strings, their accelerators and their native state, on a framework
// window driven with window messages.
#include "framework/LApplication.h"
#include "framework/LDialogDef.h"
#include "framework/LFrame.h"
#include "framework/LKeyboard.h"
#include "framework/LMenuBar.h"
#include "framework/LMenuIds.h"
#include "framework/LMessageNames.h"
#include "framework/LMouse.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "tests/support/Screenshot.h"

#include <gtest/gtest.h>

#include <string>
#include <initializer_list>
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
    if (n == "FILE") {
        Fill(strings, {"FILE\n&File\n", "LStdCmd_Quit\nE&xit\n"});
    } else if (n == "EDIT") {
        Fill(strings, {"EDIT\n&Edit", "LStdCmd_Undo\n&Undo\ncZ", "", "LStdCmd_Cut\nCu&t\ncX",
                       "LStdCmd_Copy\n&Copy\ncC", "LStdCmd_Paste\n&Paste\nac", "LStdCmd_Clear\nMore\n\nMORE"});
    } else if (n == "MORE") {
        Fill(strings, {"MORE\nMore", "LStdCmd_Help\n&Help\nsH"});
    } else {
        return false;
    }
    return true;
}

// Enables Undo and Quit when the menu opens and records the chosen commands.
struct Commands : LHandler {
    explicit Commands(LHandler* next) : LHandler(next) {}
    LMessage Handle(const LMessage& m) override
    {
        if (m.Is(LMenuBar_Ready)) {
            LMenuBar* bar = static_cast<LMenuBar*>(m.param);
            bar->EnableCommand(LStdCmd_Undo, "&Undo typing");
            bar->EnableCommand(LStdCmd_Quit);
            bar->EnableCommand(LStdCmd_Help);
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

class LMenuTest : public ::testing::Test {
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
        RECT content = {100, 100, 400, 250};
        frame->Window()->SetContentRect(content);
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
    void Pump()
    {
        for (int round = 0; round < 20; ++round) {
            MSG peek;
            while (PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
                app.PumpOne();
            Sleep(5);
        }
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

    LApplication app;
    LMouse mouse;
    LKeyboard keyboard;
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
    char text[64] = {};
    GetMenuStringA(native, 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Edit");
    LMenuItem* undo = ItemOf(LStdCmd_Undo);
    ASSERT_NE(undo, nullptr);
    EXPECT_STREQ(undo->DisplayLabel().Text(), "&Undo\tCtrl+Z");
    EXPECT_GE(undo->Id(), 0xFC00);
    // "ac" holds modifier letters only, so the item has no shortcut at all.
    LMenuItem* paste = ItemOf(LStdCmd_Paste);
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->Key(), 0);
    EXPECT_STREQ(paste->DisplayLabel().Text(), "&Paste");
    LMenuItem* help = ItemOf(LStdCmd_Help);
    ASSERT_NE(help, nullptr); // from the submenu
    EXPECT_STREQ(help->ShortcutText().Text(), "Shift+H");
    HMENU edit = GetSubMenu(native, 1);
    EXPECT_EQ(GetMenuItemCount(edit), 6);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(edit, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
}

TEST_F(LMenuTest, ShortcutsBecomeOneAcceleratorRecordEach)
{
    LAccelTable& table = bar->Accelerators();
    ASSERT_EQ(table.Count(), 4); // Ctrl+Z, Ctrl+X, Ctrl+C, Shift+H
    const ACCEL& first = table.At(0);
    EXPECT_EQ(first.fVirt, 0x09);
    EXPECT_EQ(first.key, 'Z');
    EXPECT_EQ(first.cmd, ItemOf(LStdCmd_Undo)->Id());
    EXPECT_NE(bar->Accelerators().Native(), nullptr);
    // Removing a shortcut removes its record and rebuilds the native table on demand.
    ItemOf(LStdCmd_Cut)->RemoveShortcut();
    EXPECT_EQ(table.Count(), 3);
    EXPECT_NE(bar->Accelerators().Native(), nullptr);
}

TEST_F(LMenuTest, OpeningTheBarDisablesEveryCommandNobodyEnables)
{
    SendMessageA(frame->Window()->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(bar->Handle()), 0);
    HMENU edit = GetSubMenu(bar->Handle(), 1);
    EXPECT_FALSE(GetMenuState(edit, 0, MF_BYPOSITION) & MF_GRAYED); // Undo, enabled
    EXPECT_TRUE(GetMenuState(edit, 2, MF_BYPOSITION) & MF_GRAYED);  // Cut
    EXPECT_TRUE(GetMenuState(edit, 3, MF_BYPOSITION) & MF_GRAYED);  // Copy
    char text[64] = {};
    GetMenuStringA(edit, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Undo typing\tCtrl+Z");
    HMENU file = GetSubMenu(bar->Handle(), 0);
    EXPECT_FALSE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED);
    testsupport::SaveScreenshot("menu-window", frame->Window()->Handle());
}

TEST_F(LMenuTest, ChosenItemsAndCtrlZReachTheFocusTarget)
{
    HWND handle = frame->Window()->Handle();
    SendMessageA(handle, WM_COMMAND, MAKEWPARAM(ItemOf(LStdCmd_Quit)->Id(), 0), 0);
    // Ctrl+Z through the event loop's accelerator translation.
    SetForegroundWindow(handle);
    SetActiveWindow(handle);
    Pump();
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
