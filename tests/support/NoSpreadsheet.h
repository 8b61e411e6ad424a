// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/SpreadsheetApplication.h"

// A desktop without any spreadsheet program.
class NoSpreadsheet : public SpreadsheetProvider {
public:
    std::unique_ptr<SpreadsheetApplication> create() override { return nullptr; }
};
