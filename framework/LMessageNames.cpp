#include "framework/LMessageNames.h"

// The name variables are filled by static initialisation before main runs, one block per family.

// LHandler
L_DEFINE_MESSAGE_NAME(LHandler_Mode);
L_DEFINE_MESSAGE_NAME(LHandler_Destructing);

// LTimer
L_DEFINE_MESSAGE_NAME(LTimer_Expire);

// LMouse
L_DEFINE_MESSAGE_NAME(LMouse_Click);
L_DEFINE_MESSAGE_NAME(LMouse_Release);
L_DEFINE_MESSAGE_NAME(LMouse_Move);
L_DEFINE_MESSAGE_NAME(LMouse_Idle);
L_DEFINE_MESSAGE_NAME(LMouse_Cursor);
L_DEFINE_MESSAGE_NAME(LMouse_Leave);
L_DEFINE_MESSAGE_NAME(LMouse_Context);

// LKeyboard
L_DEFINE_MESSAGE_NAME(LKeyboard_Down);
L_DEFINE_MESSAGE_NAME(LKeyboard_Up);
L_DEFINE_MESSAGE_NAME(LKeyboard_Char);

// LMenuBar
L_DEFINE_MESSAGE_NAME(LMenuBar_Ready);

// LMenuItem
L_DEFINE_MESSAGE_NAME(LMenuItem_Selected);
L_DEFINE_MESSAGE_NAME(LMenuItem_NewStroke);
L_DEFINE_MESSAGE_NAME(LMenuItem_DeleteStroke);

// LMenu
L_DEFINE_MESSAGE_NAME(LMenu_Destructing);

// LPane
L_DEFINE_MESSAGE_NAME(LPane_Constructing);
L_DEFINE_MESSAGE_NAME(LPane_Destructing);
L_DEFINE_MESSAGE_NAME(LPane_ReqFocus);
L_DEFINE_MESSAGE_NAME(LPane_ReqCapture);

// LEditText
L_DEFINE_MESSAGE_NAME(LEditText_Change);
L_DEFINE_MESSAGE_NAME(LEditText_Unfocused);

// LStdCtl
L_DEFINE_MESSAGE_NAME(LStdCtl_Selected);

// LDialog
L_DEFINE_MESSAGE_NAME(LDialog_Default);
L_DEFINE_MESSAGE_NAME(LDialog_Escape);

// LFrame
L_DEFINE_MESSAGE_NAME(LFrame_Constructing);
L_DEFINE_MESSAGE_NAME(LFrame_Destructing);
L_DEFINE_MESSAGE_NAME(LFrame_Close);
L_DEFINE_MESSAGE_NAME(LFrame_Activate);
L_DEFINE_MESSAGE_NAME(LFrame_Deactivate);

// LWindow
L_DEFINE_MESSAGE_NAME(LWindow_Close);
L_DEFINE_MESSAGE_NAME(LWindow_Activate);
L_DEFINE_MESSAGE_NAME(LWindow_Deativate);
L_DEFINE_MESSAGE_NAME(LWindow_Update);
L_DEFINE_MESSAGE_NAME(LWindow_Click);
L_DEFINE_MESSAGE_NAME(LWindow_Cursor);
L_DEFINE_MESSAGE_NAME(LWindow_Move);
L_DEFINE_MESSAGE_NAME(LWindow_Size);
L_DEFINE_MESSAGE_NAME(LWindow_Context);

// LWindowPlacer
L_DEFINE_MESSAGE_NAME(LWindowPlacer_Grow);
L_DEFINE_MESSAGE_NAME(LWindowPlacer_Sizing);

// LWinMsg
L_DEFINE_MESSAGE_NAME(LWinMsg_Msg);

// LStdCmd
L_DEFINE_MESSAGE_NAME(LStdCmd_About);
L_DEFINE_MESSAGE_NAME(LStdCmd_New);
L_DEFINE_MESSAGE_NAME(LStdCmd_Open);
L_DEFINE_MESSAGE_NAME(LStdCmd_Close);
L_DEFINE_MESSAGE_NAME(LStdCmd_Save);
L_DEFINE_MESSAGE_NAME(LStdCmd_SaveAs);
L_DEFINE_MESSAGE_NAME(LStdCmd_Page);
L_DEFINE_MESSAGE_NAME(LStdCmd_Print);
L_DEFINE_MESSAGE_NAME(LStdCmd_Quit);
L_DEFINE_MESSAGE_NAME(LStdCmd_Undo);
L_DEFINE_MESSAGE_NAME(LStdCmd_Redo);
L_DEFINE_MESSAGE_NAME(LStdCmd_Cut);
L_DEFINE_MESSAGE_NAME(LStdCmd_Copy);
L_DEFINE_MESSAGE_NAME(LStdCmd_Paste);
L_DEFINE_MESSAGE_NAME(LStdCmd_Clear);
L_DEFINE_MESSAGE_NAME(LStdCmd_Help);
