// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowShortcuts.h"

#include <QPushButton>
#include <QShortcut>

namespace WindowShortcuts {

const QList<Binding>& bindings() {
    static const QList<Binding> list{
        {QKeySequence(Qt::CTRL | Qt::Key_O), "PushButton3", nullptr},
        {QKeySequence(Qt::CTRL | Qt::Key_S), "PushButton4", nullptr},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), "PushButton5", nullptr},
        {QKeySequence(Qt::CTRL | Qt::Key_C), "PushButton5", "ListView2"},
    };
    return list;
}

void install(QWidget& window, const std::function<void()>& about) {
    for (const Binding& binding : bindings()) {
        auto* button = window.findChild<QPushButton*>(QString::fromLatin1(binding.button));
        QWidget* owner = binding.within ? window.findChild<QWidget*>(QString::fromLatin1(binding.within)) : &window;
        if (!button || !owner)
            continue;
        auto* shortcut = new QShortcut(binding.keys, owner);
        shortcut->setContext(binding.within ? Qt::WidgetShortcut : Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
    // A push button that is not a dialog's presses itself on Enter only as an auto-default button.
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->setAutoDefault(true);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    help->setContext(Qt::WindowShortcut);
    QObject::connect(help, &QShortcut::activated, &window, about);
}

} // namespace WindowShortcuts
