// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TextExport.h"

#include "common/StepTrap.h"
#include "output/ListviewFileWriter.h"
#include "output/ProgressDisplay.h"
#include "output/SaveTarget.h"
#include "ui/WindowContext.h"

TextExport::TextExport(WindowContext& window) : m_window(window) {}

void TextExport::PushButton4_Click() {
    if (m_window.busy())
        return;
    StepTrap trap{m_window.dialogs(), QStringLiteral("Form1.PushButton4_Click")};
    CommonDialog& dialog = m_window.commonDialog();
    QString path;
    // The name a save last chose is offered again (never a word file just imported); no extension is added, and
    // an existing file is replaced only when the user says so.
    trap.step(106, [&] { dialog.flags = CommonDialog::kFlags; });
    trap.step(108, [&] { dialog.title = QStringLiteral("Save"); });
    trap.step(110, [&] { dialog.filter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"); });
    trap.step(112, [&] { SaveTarget::showSave(m_window, dialog); });
    trap.step(114, [&] { path = dialog.fileName; });
    if (trap.test(116, [&] { return path.isEmpty() || !SaveTarget::mayWrite(m_window, path); }))
        return;
    trap.step(118, [&] { m_window.setPointer(MousePointer::Hourglass); });
    trap.step(120, [&] {
        ProgressBarDisplay progress(m_window.progressBar());
        SaveListviewProperlySpaced(m_window.resultsList(), path, &progress, m_window.dialogs());
    });
    trap.step(122, [&] { m_window.setPointer(MousePointer::Default); });
}

void TextExport::SaveListviewProperlySpaced(ListControl& list, const QString& path, ProgressDisplay* progress,
                                            MessageSink& sink) {
    ListviewFileWriter writer(list, path, progress, sink);
    writer.run();
}
