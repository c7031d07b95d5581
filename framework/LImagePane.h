#pragma once

#include "framework/LIcon.h"
#include "framework/LPane.h"

// Draws an icon: mode 1 centred at its own size, other modes stretched to the frame.
class LImagePane : public LPane {
public:
    LImagePane(LFrame* parent, const LIcon& icon, int mode = 1);

    int PreferredWidth(int hint) override;
    int PreferredHeight(int hint) override;
    void Draw(LDrawContext& context) override;

    const LIcon& Icon() const { return m_icon; }
    // Replaces the icon and redraws; the pane's frame stays as the layout set it.
    void SetIcon(const LIcon& icon);

private:
    LIcon m_icon;
    int m_mode;
};
