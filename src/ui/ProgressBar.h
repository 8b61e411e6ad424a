// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProgressBar>

// A progress bar that shows a text of the program's choosing. Values run from 0 to 100; a value above 100
// is shown as 100 and fractions are kept to a tenth of a percent.
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    static inline const QString kRestText = QStringLiteral("Progress Bar");

    explicit ProgressBar(QWidget* parent = nullptr);

    void setProgress(double percent);
    double progress() const { return m_percent; }
    void setBarText(const QString& text);
    QString barText() const { return m_text; }
    // What the bar shows: the program's text as it stands, no %p-style placeholders.
    QString text() const override { return m_text; }
    // Value 0 and the text "Progress Bar".
    void rest();

private:
    double m_percent = 0.0;
    QString m_text;
};
