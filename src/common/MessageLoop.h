// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>

namespace MessageLoop {

// Lets the message loop run once: repaints, input and timers of the window are served.
void DoEvents();

} // namespace MessageLoop

// Yields to the message loop at most once per time slice. Long loops call tick() before every cell or row;
// the window stays as responsive as with a yield every time, without paying for one per cell.
class YieldSlice {
public:
    explicit YieldSlice(int sliceMs = 15);
    void tick();

private:
    QElapsedTimer m_timer;
    int m_sliceMs;
};
