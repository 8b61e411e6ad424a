// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/WindowFit.h"
#include "ui/ListControl.h"
#include "ui/PlatformTools.h"
#include "ui/ProgressBar.h"
#include "ui/WindowContext.h"

#include <QCursor>
#include <QWidget>
#include <memory>

class QCheckBox;
class QGroupBox;
class QPushButton;
class SpreadsheetProvider;
class ListEditing;
class WordFileImport;
class SplittingRun;
class TextExport;
class ClipboardCopy;
class ExcelExport;

// The main window: builds its controls, runs the start-up sequence, saves the word list on close and wires
// every button, list event and option to its handler.
class Form1 : public QWidget, private PointerHost {
    Q_OBJECT
public:
    static inline const QString kProductName = QStringLiteral("Parvenna");
    static inline const QString kListTooltip =
        QStringLiteral("Double-click item to remove it. Move | line to right and out of window to reveal full names.");

    Form1(PlatformTools& tools, SpreadsheetProvider& spreadsheets, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence; runs once, before the window is first shown.
    void Form_Load();
    // The close request: saves the word list. Never refuses the close.
    void Form_QueryUnload();

    bool SaveResultsAsExcelFileIsExcelInstalled();

    WindowContext& context() { return m_context; }
    // The folder that holds the optional skin and cursor files; the program's own folder unless changed.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    const QCursor& handPointer() const { return m_handPointer; }
    // How long one run of curl may take in a splitting run. Only tests shorten it.
    void setFetchTimeLimit(int attemptLimitMs);

    // The application title for a product name: cut at the last blank at least once, then again while longer
    // than 40 characters. A name without a blank stays whole.
    static QString shortTitle(const QString& productName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    MousePointer pointer() const override { return m_pointer; }
    void setPointer(MousePointer pointer) override;

    void buildControls();
    QPushButton* addButton(const char* name, const QString& text, int left, int top, int width);
    void setTabOrder();
    void centreOnScreen();
    void connectHandlers();
    void setUpKeyboardAndAccessibility();
    void restOnResultsChange();
    void ApplySkin();
    void SetApplicationTitle();
    void MaybeOpenHomePage();
    void loadHandPointer(const QString& path);
    void restoreQuota(class StepTrap& trap);
    void startDataCheck();
    void onButtonMouseMove();
    void onBackgroundMouseMove();

    PlatformTools& m_tools;
    ListControl* m_listView1;
    ListControl* m_listView2;
    QGroupBox* m_frame1;
    QGroupBox* m_frame2;
    QCheckBox* m_check5;
    QCheckBox* m_check1;
    QCheckBox* m_check2; // "Mark stressed syllables", beside Check5 in the display options
    ProgressBar* m_progressBar1;
    QList<QPushButton*> m_buttons;
    WindowContext m_context;
    MousePointer m_pointer = MousePointer::Default;
    QCursor m_handPointer{Qt::ArrowCursor};
    QString m_programFolder;
    WindowFit m_fit{*this};
    QMetaObject::Connection m_screenWatch;

    std::unique_ptr<ListEditing> m_listEditing;
    std::unique_ptr<WordFileImport> m_wordFileImport;
    std::unique_ptr<SplittingRun> m_splittingRun;
    std::unique_ptr<TextExport> m_textExport;
    std::unique_ptr<ClipboardCopy> m_clipboardCopy;
    std::unique_ptr<ExcelExport> m_excelExport;
};
