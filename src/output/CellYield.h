// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/MessageLoop.h"

// The yield of the export loops, called before every cell and row. Reading the clock for every cell costs
// more than the cell itself, so the time slice is looked at only every 64th call; a cell is small, so the
// window is served just as often.
class CellYield {
public:
    void tick() {
        if ((++m_calls & 63u) == 0)
            m_slice.tick();
    }

private:
    YieldSlice m_slice;
    unsigned m_calls = 0;
};
