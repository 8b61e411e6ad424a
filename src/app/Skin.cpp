// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Skin.h"

#include "common/AppError.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QWidget>

namespace Skin {
namespace {

// Collects the style sheet parser's complaints while it is alive.
class ParseWarnings {
public:
    ParseWarnings() : m_previous(qInstallMessageHandler(&ParseWarnings::handler)) { s_active = this; }
    ~ParseWarnings() {
        qInstallMessageHandler(m_previous);
        s_active = nullptr;
    }
    ParseWarnings(const ParseWarnings&) = delete;
    ParseWarnings& operator=(const ParseWarnings&) = delete;
    bool failed() const { return m_failed; }

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (s_active && message.contains(QStringLiteral("Could not parse"))) {
            s_active->m_failed = true;
            return;
        }
        if (s_active && s_active->m_previous)
            s_active->m_previous(type, context, message);
    }
    static inline ParseWarnings* s_active = nullptr;
    QtMessageHandler m_previous;
    bool m_failed = false;
};

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

} // namespace

bool isValidStyleSheet(const QString& styleSheet) {
    QWidget probe;
    ParseWarnings warnings;
    probe.setStyleSheet(styleSheet);
    probe.ensurePolished();
    return !warnings.failed();
}

void apply(QWidget& window, const QList<QWidget*>& backgroundControls, const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("The skin file %1 cannot be read: %2").arg(path, file.errorString()));
    const QString styleSheet = QString::fromUtf8(file.readAll());
    if (!isValidStyleSheet(styleSheet))
        throw AppError(AppError::InvalidProcedureCall,
                       QStringLiteral("The skin file %1 is not a valid style sheet").arg(path));
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    setBackground(&window, buttonFace);
    for (QWidget* control : backgroundControls)
        setBackground(control, buttonFace);
    window.setStyleSheet(styleSheet);
}

} // namespace Skin
