#pragma once

#include "framework/LStdCtl.h"

// A native edit field inside a sunken border: kind 1 several lines scrolling both ways, kind 2
// several lines wrapping, other kinds one line. "LEditText_Change" reports the user's changes
// only; "LEditText_Unfocused" tells that it lost the focus inside the active window.
class LEditText : public LStdCtl {
public:
    LEditText(LFrame* parent, int kind, int borderWidth, const LFont& font);

    LMessage Handle(const LMessage& message) override;
    void StateChanged(int code) override;
    RECT NativeRect() const override;
    RECT RegionRect() const override;
    int PreferredWidth(int hint) override;
    int PreferredHeight(int hint) override;
    void Draw(LDrawContext& context) override;

    int Inset() const { return m_inset; }

private:
    static LStdCtlSpec Spec(int kind, const LFont& font);
    int m_inset;
};
