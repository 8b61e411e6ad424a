// SPDX-License-Identifier: GPL-3.0-or-later
// A settings file as a user may have edited it: the stored word list, quota and options are read from it the
// way the program starts up, the list becomes rows, and the list stored again reads back unchanged.

#include "FuzzCheck.h"

#include "common/AppError.h"
#include "common/Numbers.h"
#include "common/Settings.h"
#include "ui/ListModel.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>

namespace {

// The settings folder, set once for the whole run.
QString settingsFolder() {
    static QTemporaryDir root(fuzzScratchTemplate());
    static const bool placed = [] {
        fuzzCheck(root.isValid() && QDir(root.path()).mkpath(Settings::kApplication), "a settings folder");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path());
        return true;
    }();
    return placed ? root.path() : QString();
}

// Writes the settings file with a modification time of its own, so that the store, which keeps a file it has
// read until its size or time changes, reads this one afresh.
void writeSettingsFile(QByteArrayView bytes) {
    static qint64 writes = 0;
    QFile file(QStringLiteral("%1/%2/%3.conf").arg(settingsFolder(), Settings::kApplication, Settings::kSection));
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the settings file can be written");
    fuzzCheck(file.write(bytes.data(), bytes.size()) == bytes.size(), "the settings file is written whole");
    const QDateTime time = QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++writes, Qt::UTC);
    fuzzCheck(file.setFileTime(time, QFileDevice::FileModificationTime), "the settings file's time can be set");
}

// The word list as the start-up restores it: every non-empty piece between semicolons is a row.
QStringList restoredRows() {
    const QString stored = Settings::get(QStringLiteral("Zip Codes"), QString());
    const QStringList entries = stored.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    ListModel rows;
    rows.appendRows(entries);
    fuzzCheck(rows.size() == entries.size(), "one row per stored word");
    QStringList texts;
    for (qsizetype i = 0; i < rows.size(); ++i)
        texts << rows.text(i);
    fuzzCheck(texts == entries, "the rows hold the stored words");
    return texts;
}

void readNumber(const QString& key, bool sixteenBits) {
    const QString text = Settings::get(key, QStringLiteral("0"));
    try {
        sixteenBits ? Numbers::strictInt16(text) : Numbers::strictInt32(text);
    } catch (const AppError& error) {
        fuzzCheck(error.number() == AppError::TypeMismatch || error.number() == AppError::Overflow,
                  "a stored number is a number, Type mismatch or Overflow");
    }
}

// What the store makes of a value that is no object: a text or a list of texts; "@ByteArray(...)", "@Rect(...)",
// "@Size(...)" and "@Point(...)" are small fixed shapes, "@Invalid()" is no value (a list holds them among its texts).
// No value at all also stands for a key the store lists but cannot find again ("a//b", "").
bool isPlainValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QByteArray:
    case QMetaType::QRect:
    case QMetaType::QSize:
    case QMetaType::QPoint:
        return true;
    case QMetaType::QVariantList:
        return std::ranges::all_of(value.toList(), isPlainValue);
    default:
        return false; // decoded from "@Variant(...)" or "@DateTime(...)"
    }
}

// The file as the guard left it: the store decodes no object from it, however small (one the guard missed).
void checkNoObjects() {
    const QString path =
        QStringLiteral("%1/%2/%3.conf").arg(settingsFolder(), Settings::kApplication, Settings::kSection);
    const QSettings store(path, QSettings::IniFormat);
    for (const QString& key : store.allKeys()) {
        fuzzCheck(isPlainValue(store.value(key)), "the store decodes no object value");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeSettingsFile(fuzzBytes(data, size));
    const QStringList rows = restoredRows();
    checkNoObjects();
    readNumber(QStringLiteral("Request date"), false);
    readNumber(QStringLiteral("Request count"), true);
    for (const QString& key : {QStringLiteral("Show word"), QStringLiteral("Check1")})
        [[maybe_unused]] const double option = Numbers::lenientNumber(Settings::get(key, QStringLiteral("0")));
    // The close stores the rows joined by semicolons; the next start reads the same rows.
    const QString joined = rows.join(QLatin1Char(';'));
    try {
        Settings::save(QStringLiteral("Zip Codes"), joined);
    } catch (const AppError&) {
        return 0; // a settings file the store cannot rewrite is reported, not lost silently
    }
    fuzzCheck(Settings::get(QStringLiteral("Zip Codes"), QString()) == joined, "the stored list reads back");
    return 0;
}
