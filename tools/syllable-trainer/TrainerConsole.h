// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QTextStream>

// What the trainers share on the command line: their output streams, reading a number option, writing the model
// file, and percentages. Messages start with the program's name (QCoreApplication::applicationName()).
namespace TrainerConsole {

QTextStream& out();
QTextStream& err();
// The option's number into *value; false, with a message, when it is no number from low to high.
bool readNumber(const QCommandLineParser& parser, const QCommandLineOption& option, int low, int high, int* value);
// The model file written whole; false, with a message, when it cannot be.
bool writeModel(const QString& path, const QByteArray& bytes);
QString percent(int part, int whole); // "87.31 %"
// Reads the command line with the two files every trainer takes, DICTIONARY and OUTPUT; empty, with a message,
// when they are not given.
QStringList dictionaryAndOutput(QCommandLineParser& parser, const QCoreApplication& app);

} // namespace TrainerConsole
