// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/MessageLoop.h"

#include <QCoreApplication>

namespace MessageLoop {

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace MessageLoop

YieldSlice::YieldSlice(int sliceMs) : m_sliceMs(sliceMs) {
    m_timer.start();
}

void YieldSlice::tick() {
    if (m_timer.elapsed() < m_sliceMs)
        return;
    MessageLoop::DoEvents();
    m_timer.restart();
}
