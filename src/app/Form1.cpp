// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"

#include "app/AboutBox.h"
#include "app/ConnectivityCheck.h"
#include "app/HandPointer.h"
#include "app/Skin.h"
#include "app/StartupDataCheck.h"
#include "app/WindowAccessibility.h"
#include "app/WindowShortcuts.h"
#include "common/FileSystem.h"
#include "common/MessageLoop.h"
#include "common/Numbers.h"
#include "common/Settings.h"
#include "common/StepTrap.h"
#include "dictionary/ToolFiles.h"
#include "lists/ListEditing.h"
#include "lists/StoredWordList.h"
#include "lists/WordFileImport.h"
#include "lookup/DailyQuota.h"
#include "lookup/DictionaryLocation.h"
#include "lookup/ResultOptions.h"
#include "lookup/SplittingRun.h"
#include "output/ClipboardCopy.h"
#include "output/ExcelExport.h"
#include "output/TextExport.h"
#include "output/WorkbookFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int kClientWidthTwips = 8040;
constexpr int kClientHeightTwips = 10050;

// Twips to device-independent pixels.
int px(int twips) {
    return qRound(twips / 15.0);
}

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

QFont arialBold(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

void whiteBackground(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QString homePageAddress() {
    if (qEnvironmentVariableIsSet("PARVENNA_HOME_PAGE"))
        return qEnvironmentVariable("PARVENNA_HOME_PAGE");
    return QStringLiteral(PARVENNA_HOME_PAGE);
}

} // namespace

Form1::Form1(PlatformTools& tools, SpreadsheetProvider& spreadsheets, QWidget* parent)
    : QWidget(parent), m_tools(tools), m_listView1(new ListControl(this)), m_listView2(new ListControl(this)),
      m_frame1(new QGroupBox(QStringLiteral("Display Option"), this)),
      m_frame2(new QGroupBox(QStringLiteral("Results 'Not Found' Option"), this)),
      m_check5(new QCheckBox(QStringLiteral("Show &original word in results"), m_frame1)),
      m_check1(new QCheckBox(QStringLiteral("Add '&Not Found' entry in results if word is not found"), m_frame2)),
      m_check2(new QCheckBox(QStringLiteral("&Mark stressed syllables"), m_frame1)),
      m_progressBar1(new ProgressBar(this)),
      m_context(*m_listView1, *m_listView2, *m_check5, *m_check1, *m_progressBar1, *this, tools),
      m_listEditing(std::make_unique<ListEditing>(m_context)),
      m_wordFileImport(std::make_unique<WordFileImport>(m_context)),
      m_splittingRun(std::make_unique<SplittingRun>(m_context)), m_textExport(std::make_unique<TextExport>(m_context)),
      m_clipboardCopy(std::make_unique<ClipboardCopy>(m_context)),
      m_excelExport(std::make_unique<ExcelExport>(m_context, spreadsheets)) {
    setObjectName(QStringLiteral("Form1"));
    m_programFolder = QCoreApplication::applicationDirPath();
    m_context.setApplicationTitle(kProductName);
    m_context.setStressBox(m_check2);
    buildControls();
    setTabOrder();
    connectHandlers();
    setUpKeyboardAndAccessibility();
    centreOnScreen();
}

void Form1::centreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

Form1::~Form1() = default;

void Form1::buildControls() {
    setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(arialBold(9));
    setMouseTracking(true);
    whiteBackground(this);

    m_listView1->setObjectName(QStringLiteral("ListView1"));
    m_listView2->setObjectName(QStringLiteral("ListView2"));
    place(m_listView1, 120, 120, 7800, 2535);
    place(m_listView2, 120, 5865, 7800, 2535);
    for (ListControl* list : {m_listView1, m_listView2}) {
        list->setFont(arialBold(9));
        list->setToolTip(kListTooltip);
        list->installEventFilter(this);
    }

    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_check5->setObjectName(QStringLiteral("Check5"));
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check2->setObjectName(QStringLiteral("Check2"));
    place(m_frame1, 120, 3720, 7800, 735);
    place(m_frame2, 120, 4510, 7800, 735);
    place(m_check5, 240, 300, 3045, 285);
    place(m_check1, 240, 300, 5805, 285);
    place(m_check2, 3525, 300, 4035, 285); // the room the display options frame leaves right of Check5
    for (QWidget* widget : std::initializer_list<QWidget*>{m_frame1, m_frame2, m_check5, m_check1, m_check2}) {
        widget->setFont(arialBold(9));
        whiteBackground(widget);
    }
    for (QWidget* box : std::initializer_list<QWidget*>{m_check5, m_check1, m_check2}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Button, Qt::white); // the check box's own face, not only the area behind it
        box->setPalette(palette);
    }
    for (QWidget* frame : std::initializer_list<QWidget*>{m_frame1, m_frame2}) {
        frame->setMouseTracking(true);
        frame->installEventFilter(this);
    }

    addButton("PushButton6", QStringLiteral("&Add One Word"), 120, 2750, 3840);
    addButton("PushButton3", QStringLiteral("&Load Words From File"), 4080, 2750, 3840);
    addButton("PushButton1", QStringLiteral("Clear L&ist"), 120, 3260, 3840);
    addButton("PushButton7", QStringLiteral("Load Sample/&Example Data"), 4080, 3260, 3840);
    addButton("PushButton17", QStringLiteral("&Start Splitting"), 120, 5355, 7800);
    addButton("PushButton4", QStringLiteral("Save Results As &Text File"), 120, 8490, 3840);
    addButton("PushButton13", QStringLiteral("Save Results As E&xcel File"), 4080, 8490, 3840);
    addButton("PushButton5", QStringLiteral("&Copy Results To Clipboard"), 120, 9000, 3840);
    addButton("PushButton2", QStringLiteral("Clear &Results"), 4080, 9000, 3840);

    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    place(m_progressBar1, 120, 9525, 7800, 405);
    // Moving over a check box or the progress bar leaves the pointer as it is.
    for (QWidget* widget : std::initializer_list<QWidget*>{m_check5, m_check1, m_check2, m_progressBar1})
        widget->setAttribute(Qt::WA_NoMousePropagation);
}

QPushButton* Form1::addButton(const char* name, const QString& text, int left, int top, int width) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(arialBold(11.25));
    button->setMouseTracking(true);
    button->installEventFilter(this);
    button->setAttribute(Qt::WA_NoMousePropagation); // the window's background handler must not undo the hand
    place(button, left, top, width, 405);
    m_buttons << button;
    return button;
}

void Form1::setTabOrder() {
    // Tab indexes of the focusable controls, lowest first (frames and the progress bar take no focus).
    const QStringList order{
        QStringLiteral("ListView1"),   QStringLiteral("ListView2"),    QStringLiteral("PushButton6"),
        QStringLiteral("PushButton3"), QStringLiteral("PushButton1"),  QStringLiteral("PushButton17"),
        QStringLiteral("PushButton4"), QStringLiteral("PushButton13"), QStringLiteral("PushButton2"),
        QStringLiteral("Check5"),      QStringLiteral("PushButton5"),  QStringLiteral("PushButton7"),
        QStringLiteral("Check1"),      QStringLiteral("Check2")};
    QWidget* previous = nullptr;
    for (const QString& name : order) {
        auto* widget = findChild<QWidget*>(name);
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void Form1::connectHandlers() {
    auto button = [this](const char* name) { return findChild<QPushButton*>(QString::fromLatin1(name)); };
    connect(button("PushButton6"), &QPushButton::clicked, this, [this] { m_listEditing->PushButton6_Click(); });
    connect(button("PushButton1"), &QPushButton::clicked, this, [this] { m_listEditing->PushButton1_Click(); });
    connect(button("PushButton2"), &QPushButton::clicked, this, [this] { m_listEditing->PushButton2_Click(); });
    connect(button("PushButton7"), &QPushButton::clicked, this, [this] { m_listEditing->PushButton7_Click(); });
    connect(button("PushButton3"), &QPushButton::clicked, this, [this] { m_wordFileImport->PushButton3_Click(); });
    connect(button("PushButton17"), &QPushButton::clicked, this, [this] { m_splittingRun->PushButton17_Click(); });
    connect(button("PushButton4"), &QPushButton::clicked, this, [this] { m_textExport->PushButton4_Click(); });
    connect(button("PushButton5"), &QPushButton::clicked, this, [this] { m_clipboardCopy->PushButton5_Click(); });
    connect(button("PushButton13"), &QPushButton::clicked, this, [this] { m_excelExport->PushButton13_Click(); });

    connect(m_listView1, &ListControl::rowDoubleClicked, this, [this] { m_listEditing->ListView1_DblClick(); });
    connect(m_listView2, &ListControl::rowDoubleClicked, this, [this] { m_listEditing->ListView2_DblClick(); });
    connect(m_listView1, &ListControl::keyDown, this, [this](int key) { m_listEditing->ListView1_KeyDown(key); });
    connect(m_listView2, &ListControl::keyDown, this, [this](int key) { m_listEditing->ListView2_KeyDown(key); });
    connect(m_listView1, &ListControl::mouseMoved, this, [this] { m_listEditing->ListView_MouseMove(); });
    connect(m_listView2, &ListControl::mouseMoved, this, [this] { m_listEditing->ListView_MouseMove(); });

    connect(m_check1, &QCheckBox::stateChanged, this,
            [this](int state) { ResultOptions::Check1_Click(m_context, state == Qt::Checked); });
    connect(m_check5, &QCheckBox::stateChanged, this,
            [this](int state) { ResultOptions::Check5_Click(m_context, state == Qt::Checked); });
    connect(m_check2, &QCheckBox::stateChanged, this,
            [this](int state) { ResultOptions::Check2_Click(m_context, state == Qt::Checked); });
}

// Mnemonics are in the controls' texts (Alt+M is kept free); shortcuts, Enter on buttons, F1, accessible names
// and the focus ring are set up here for whatever controls the window has.
void Form1::setUpKeyboardAndAccessibility() {
    WindowShortcuts::install(*this, [this] { AboutBox::show(m_context.dialogs()); });
    new WindowAccessibility(*this); // owned by the window
    restOnResultsChange();
}

// The bar tells what a run found until the results it describes change.
void Form1::restOnResultsChange() {
    auto rest = [this] {
        if (!m_context.busy() && m_progressBar1->barText() == m_splittingRun->summary().text())
            m_progressBar1->rest();
    };
    connect(m_listView2->model(), &QAbstractItemModel::rowsRemoved, this, rest);
    connect(m_listView2->model(), &QAbstractItemModel::modelReset, this, rest);
}

// The designed window, made to fit the screen it opens on (and any screen it is moved to).
void Form1::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) // not when the window comes back from the task bar where the user left it
        m_fit.fit();
    if (QWindow* handle = windowHandle(); handle && !m_screenWatch)
        m_screenWatch = connect(handle, &QWindow::screenChanged, this, [this] { m_fit.fit(); });
    QWidget::showEvent(event);
}

void Form1::setPointer(MousePointer pointer) {
    m_pointer = pointer;
    switch (pointer) {
    case MousePointer::Hourglass:
        setCursor(Qt::WaitCursor);
        break;
    case MousePointer::Custom:
        setCursor(m_handPointer);
        break;
    case MousePointer::Default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (m_buttons.contains(watched))
            onButtonMouseMove();
        else if (watched == m_frame1 || watched == m_frame2)
            onBackgroundMouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    onBackgroundMouseMove();
    QWidget::mouseMoveEvent(event);
}

void Form1::onButtonMouseMove() {
    if (m_pointer != MousePointer::Hourglass)
        setPointer(MousePointer::Custom);
}

void Form1::onBackgroundMouseMove() {
    if (m_pointer != MousePointer::Hourglass)
        setPointer(MousePointer::Default);
}

void Form1::setFetchTimeLimit(int attemptLimitMs) {
    m_splittingRun->setFetchTimeLimit(attemptLimitMs);
}

void Form1::Form_Load() {
    StepTrap trap{m_context.dialogs(), QStringLiteral("Form1.Form_Load")};
    ToolFiles::RemoveAbandonedRunFolders(); // what killed copies of the program left in the temporary folder
    trap.step(100, [&] { ApplySkin(); });
    trap.step(102, [&] {
        const QString service = DictionaryLocation::effectiveEndpoint().address;
        if (service.isEmpty())
            QTimer::singleShot(0, this, [this] { startDataCheck(); }); // once the window shows
        else
            ConnectivityCheck::CheckOnline(m_context, service);
    });
    trap.step(104, [&] {
        setWindowTitle(kProductName);
        setWindowIcon(
            QIcon::fromTheme(QStringLiteral("parvenna"), QIcon::fromTheme(QStringLiteral("accessories-dictionary"))));
        SetApplicationTitle();
    });
    const QString cursorPath = m_programFolder + QStringLiteral("/HAND-M.CUR");
    if (trap.test(106, [&] { return FileSystem::FileExists(cursorPath); }))
        trap.step(108, [&] { loadHandPointer(cursorPath); });
    trap.step(110, [&] { MaybeOpenHomePage(); });
    trap.step(130, [&] { m_listView1->addColumn(QStringLiteral(" Words")); });
    trap.step(132, [&] { m_listView1->setColumnWidthTwips(1, 7000); });
    trap.step(134, [&] {
        const bool on = Numbers::lenientNumber(Settings::get(ResultOptions::kShowWordKey, QStringLiteral("0"))) == 1;
        m_check5->setChecked(on);
    });
    trap.step(136, [&] { m_listView2->addColumn(QStringLiteral("Results")); });
    trap.step(138, [&] { m_listView2->addColumn(QStringLiteral("Syllables Count")); });
    trap.step(140, [&] { m_listView2->setColumnWidthTwips(1, 5000); });
    trap.step(142, [&] { m_listView2->setColumnWidthTwips(2, 2000); });
    StoredWordList::restore(trap, *m_listView1);
    restoreQuota(trap);
    trap.step(166, [&] {
        const bool on = Numbers::lenientNumber(Settings::get(ResultOptions::kNotFoundKey, QStringLiteral("0"))) == 1;
        m_check1->setChecked(on);
    });
    trap.step(168, [&] {
        const bool on = Numbers::lenientNumber(Settings::get(ResultOptions::kStressKey, QStringLiteral("0"))) == 1;
        m_check2->setChecked(on);
    });
    // Workbooks that earlier exports left for the office program; never reported.
    WorkbookFolder::removeOld();
}

void Form1::restoreQuota(StepTrap& trap) {
    QuotaState& quota = m_context.quota();
    const std::int32_t today = m_context.clock().today();
    trap.step(158, [&] {
        quota.day = Numbers::strictInt32(Settings::get(QStringLiteral("Request date"), QString::number(today - 1)));
    });
    trap.step(160, [&] { quota.count = DailyQuota::storedCount(Settings::get(DailyQuota::kCountKey, "0")); });
    if (trap.test(162, [&] { return quota.day < today; }))
        trap.step(164, [&] { quota.count = 0; });
}

void Form1::ApplySkin() {
    const QString path = m_programFolder + QStringLiteral("/x/o.cjs");
    Skin::apply(*this, {m_frame1, m_frame2, m_check5, m_check1, m_check2}, path);
}

QString Form1::shortTitle(const QString& productName) {
    QString title = productName;
    do {
        const qsizetype blank = title.lastIndexOf(QLatin1Char(' '));
        if (blank < 0)
            break; // nothing to cut at: the whole name
        title.truncate(blank);
    } while (title.size() > 40);
    return title;
}

void Form1::SetApplicationTitle() {
    m_context.setApplicationTitle(shortTitle(kProductName));
}

void Form1::MaybeOpenHomePage() {
    Random& random = m_context.random();
    random.seed(m_context.clock().secondsSinceMidnight());
    const int draw = static_cast<int>(random.next() * 100.0) + 1;
    const QString address = homePageAddress();
    if (draw == 7 && !address.isEmpty())
        m_context.shell().openAddress(address);
}

void Form1::loadHandPointer(const QString& path) {
    m_handPointer = HandPointer::load(path);
}

void Form1::Form_QueryUnload() {
    StepTrap trap{m_context.dialogs(), QStringLiteral("Form1.Form_QueryUnload")};
    StoredWordList::save(trap, *m_listView1);
    trap.step(112, [&] { MessageLoop::DoEvents(); });
}

// The built-in dictionary is read in the background; damaged data is told at once, not first at "Start Splitting".
void Form1::startDataCheck() {
    auto* check = new StartupDataCheck(m_context, this);
    connect(check, &StartupDataCheck::finished, check, &QObject::deleteLater);
    check->start();
}

void Form1::closeEvent(QCloseEvent* event) {
    m_context.setClosing(); // a running operation stops after its current step and cleans up
    Form_QueryUnload();
    event->accept();
}

bool Form1::SaveResultsAsExcelFileIsExcelInstalled() {
    return m_excelExport->SaveResultsAsExcelFileIsExcelInstalled();
}
