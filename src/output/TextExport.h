// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ListControl;
class MessageSink;
class ProgressDisplay;
class WindowContext;

// "Save Results As Text File": the checked results, column-aligned, in a text file the user names.
class TextExport {
public:
    explicit TextExport(WindowContext& window);

    // Form1.PushButton4_Click. Ignored while the window is busy.
    void PushButton4_Click();

    // Main.SaveListviewProperlySpaced: writes list to the file at path (see ListviewFileWriter), showing its
    // progress on progress when one is given. Reports its own failures to sink.
    static void SaveListviewProperlySpaced(ListControl& list, const QString& path, ProgressDisplay* progress,
                                           MessageSink& sink);

private:
    WindowContext& m_window;
};
