#pragma once

#include "framework/LDialogDef.h"

// The definition a modal dialog is created from. Dialog classes derive from it before their
// LDialog base, so that it exists before the dialog's window is made and outlives it.
class CModalDialogDef {
protected:
    LDialogDef& ModalDef() { return m_definition; }

private:
    LDialogDef m_definition{3};
};
