// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class Shell;

// The office program that shows an exported workbook as a new, untitled document.
class OfficeSuite {
public:
    virtual ~OfficeSuite() = default;
    virtual bool installed() = 0;
    // Hands the workbook file over; waits a moment at most. Throws AppError when nothing can show it, its
    // description naming the file.
    virtual void show(const QString& file) = 0;
};

// LibreOffice Calc when it is installed (`soffice --calc -n FILE` opens the file as a new untitled document),
// else the desktop's handler for .xlsx files. Both look-ups can be replaced, so tests never depend on what
// the machine has installed; the hand-over goes through the Shell seam.
class DesktopOfficeSuite : public OfficeSuite {
public:
    static inline const QString kXlsxMimeType =
        QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

    using SofficeFinder = std::function<QString()>; // the path of soffice, empty when absent
    using HandlerFinder = std::function<bool()>;    // whether the desktop opens .xlsx files with something

    explicit DesktopOfficeSuite(Shell& shell, SofficeFinder findSoffice = findSofficeOnPath,
                                HandlerFinder hasHandler = desktopHasXlsxHandler);

    bool installed() override;
    void show(const QString& file) override;

    static QString findSofficeOnPath();
    // Asks `xdg-mime query default` for the .xlsx type; waits at most a few seconds.
    static bool desktopHasXlsxHandler();

private:
    Shell& m_shell;
    SofficeFinder m_findSoffice;
    HandlerFinder m_hasHandler;
};
