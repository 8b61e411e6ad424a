// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProgressBar>

// A progress bar that shows a text of the program's choosing. Values run from 0 to 100; a value above 100
// is shown as 100 and fractions are kept to a tenth of a percent. A text wider than the bar is shown in a smaller
// font (down to half the bar's own), not cut at both ends.
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
    // The font the text is drawn in: the bar's own, or a smaller one in which the text fits.
    QFont textFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_percent = 0.0;
    QString m_text;
};
