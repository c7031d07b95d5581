#pragma once

// One process-wide name variable per framework message, holding the text that spells it.
// Senders take the variable's value; receivers compare texts (LSameName). Application classes
// declare their own names the same way with L_DECLARE_MESSAGE_NAME / L_DEFINE_MESSAGE_NAME.
#define L_DECLARE_MESSAGE_NAME(name) extern const char* name
#define L_DEFINE_MESSAGE_NAME(name) const char* name = #name

L_DECLARE_MESSAGE_NAME(LHandler_Mode);
L_DECLARE_MESSAGE_NAME(LHandler_Destructing);

L_DECLARE_MESSAGE_NAME(LTimer_Expire);

L_DECLARE_MESSAGE_NAME(LMouse_Click);
L_DECLARE_MESSAGE_NAME(LMouse_Release);
L_DECLARE_MESSAGE_NAME(LMouse_Move);
L_DECLARE_MESSAGE_NAME(LMouse_Idle);
L_DECLARE_MESSAGE_NAME(LMouse_Cursor);
L_DECLARE_MESSAGE_NAME(LMouse_Leave);
L_DECLARE_MESSAGE_NAME(LMouse_Context);

L_DECLARE_MESSAGE_NAME(LKeyboard_Down);
L_DECLARE_MESSAGE_NAME(LKeyboard_Up);
L_DECLARE_MESSAGE_NAME(LKeyboard_Char);

L_DECLARE_MESSAGE_NAME(LMenuBar_Ready);
L_DECLARE_MESSAGE_NAME(LMenuItem_Selected);
L_DECLARE_MESSAGE_NAME(LMenuItem_NewStroke);
L_DECLARE_MESSAGE_NAME(LMenuItem_DeleteStroke);
L_DECLARE_MESSAGE_NAME(LMenu_Destructing);

L_DECLARE_MESSAGE_NAME(LPane_Constructing);
L_DECLARE_MESSAGE_NAME(LPane_Destructing);
L_DECLARE_MESSAGE_NAME(LPane_ReqFocus);
L_DECLARE_MESSAGE_NAME(LPane_ReqCapture);

L_DECLARE_MESSAGE_NAME(LEditText_Change);
L_DECLARE_MESSAGE_NAME(LEditText_Unfocused);
L_DECLARE_MESSAGE_NAME(LStdCtl_Selected);

L_DECLARE_MESSAGE_NAME(LDialog_Default);
L_DECLARE_MESSAGE_NAME(LDialog_Escape);

L_DECLARE_MESSAGE_NAME(LFrame_Constructing);
L_DECLARE_MESSAGE_NAME(LFrame_Destructing);
L_DECLARE_MESSAGE_NAME(LFrame_Close);
L_DECLARE_MESSAGE_NAME(LFrame_Activate);
L_DECLARE_MESSAGE_NAME(LFrame_Deactivate);

L_DECLARE_MESSAGE_NAME(LWindow_Close);
L_DECLARE_MESSAGE_NAME(LWindow_Activate);
L_DECLARE_MESSAGE_NAME(LWindow_Deativate);
L_DECLARE_MESSAGE_NAME(LWindow_Update);
L_DECLARE_MESSAGE_NAME(LWindow_Click);
L_DECLARE_MESSAGE_NAME(LWindow_Cursor);
L_DECLARE_MESSAGE_NAME(LWindow_Move);
L_DECLARE_MESSAGE_NAME(LWindow_Size);
L_DECLARE_MESSAGE_NAME(LWindow_Context);

L_DECLARE_MESSAGE_NAME(LWindowPlacer_Grow);
L_DECLARE_MESSAGE_NAME(LWindowPlacer_Sizing);

L_DECLARE_MESSAGE_NAME(LWinMsg_Msg);

// Standard commands: the command identifiers of menu items.
L_DECLARE_MESSAGE_NAME(LStdCmd_About);
L_DECLARE_MESSAGE_NAME(LStdCmd_New);
L_DECLARE_MESSAGE_NAME(LStdCmd_Open);
L_DECLARE_MESSAGE_NAME(LStdCmd_Close);
L_DECLARE_MESSAGE_NAME(LStdCmd_Save);
L_DECLARE_MESSAGE_NAME(LStdCmd_SaveAs);
L_DECLARE_MESSAGE_NAME(LStdCmd_Page);
L_DECLARE_MESSAGE_NAME(LStdCmd_Print);
L_DECLARE_MESSAGE_NAME(LStdCmd_Quit);
L_DECLARE_MESSAGE_NAME(LStdCmd_Undo);
L_DECLARE_MESSAGE_NAME(LStdCmd_Redo);
L_DECLARE_MESSAGE_NAME(LStdCmd_Cut);
L_DECLARE_MESSAGE_NAME(LStdCmd_Copy);
L_DECLARE_MESSAGE_NAME(LStdCmd_Paste);
L_DECLARE_MESSAGE_NAME(LStdCmd_Clear);
L_DECLARE_MESSAGE_NAME(LStdCmd_Help);
