// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutBox.h"

#include "ui/Dialogs.h"

namespace AboutBox {

QString text() {
    return QStringLiteral(
        "Parvenna " PARVENNA_VERSION "\n"
        "Splits English words into syllables.\n\n"
        "Copyright \u00A9 Orvanta and the Parvenna contributors. Parvenna is free software under the GNU General "
        "Public License, version 3 or any later version (GPL-3.0-or-later), and comes without any warranty.\n\n"
        "The built-in dictionary holds the syllable divisions of GCIDE, The Collaborative International "
        "Dictionary of English v.0.48 (Patrick J. Cassidy and the Free Software Foundation), under the GNU "
        "General Public License, version 2 or any later version (GPL-2.0-or-later).\n\n"
        "Keys: Ctrl+O load words, Ctrl+S save results as text, Ctrl+Shift+C (or Ctrl+C in the results) copy "
        "results, Delete remove the current row, F1 this box.");
}

void show(Dialogs& dialogs) {
    dialogs.messageBox(text(), kTitle, MessageIcon::Information);
}

} // namespace AboutBox
