#pragma once

#include "framework/LStdCtl.h"

#include <cstdint>

// A native progress bar with a 32-bit range. The control only knows 16 bits, so the maximum
// and the position are halved together until the maximum fits, which keeps their proportion.
class LProgressBar : public LStdCtl {
public:
    explicit LProgressBar(LFrame* parent);

    void SetMaximum(int32_t maximum);
    void SetPosition(int32_t position);
    int32_t Maximum() const { return m_maximum; }
    int PreferredWidth(int hint) override;
    int PreferredHeight(int hint) override;

    // The 16-bit range and position sent to the control for a 32-bit maximum and position.
    static int32_t ScaledMaximum(int32_t maximum);
    static int32_t ScaledPosition(int32_t maximum, int32_t position);

private:
    int32_t m_maximum = 100;
};
