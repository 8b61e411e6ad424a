// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ProgressBar;
class QProcess;

// Running child programs from the user-interface thread. Both routines keep the window alive while the child
// runs: they wait in a local event loop, never in a blocking call, so repaints, input and in-process servers
// are served meanwhile. Programs always get an argument list; nothing is split or interpreted by a shell.
namespace ChildProcess {

// The text returned when the program cannot be started.
inline const QString kFailedToCreate = QStringLiteral("Failed to create process, check the path of the command line.");
// Added to the start error's number when RunAndWait cannot start its program.
constexpr qint32 kStartErrorBase = -2147221504;
// Window style that RunAndWait uses when none or an invalid one is given (minimised without focus).
constexpr int kDefaultWindowStyle = 6;
// A child that runs longer than this is ended.
constexpr int kTimeLimitMs = 30000;

// Runs the program hidden and returns what it printed on the chosen stream(s), in the order written, decoded
// as UTF-8 when valid, else Windows-1252. Throws AppError 5 when neither stream is chosen (nothing starts).
// Returns kFailedToCreate when the program cannot be started, the empty text when it printed nothing.
QString CaptureCommandOutput(const QString& program, const QStringList& arguments, bool captureStdout,
                             bool captureStderr, bool convertOem);

// Starts the program and waits for its end, showing "Please wait.. N" on the progress bar (N counts the
// 100 ms polls, 1 at the start). Returns the child's exit code as soon as it ends, -1 when it crashed or had
// to be ended (time limit, stop() returned true, or the program quitting). The window style is normalised:
// absent or outside 0..6 becomes 6 and is written back. When the program cannot be started, returns the start
// error's number plus kStartErrorBase and leaves the progress bar alone. The bar's text is "Progress Bar"
// afterwards. The input bytes are the child's standard input (nothing when empty): the way to hand a child a
// secret, which its argument list would show to every user of the computer. With output given, what the child
// wrote on its standard output lands there (else it is dropped). With maxFileBytes above 0 the child cannot make a
// file larger than that: a write beyond fails (EFBIG), and the child is not killed for it.
qint32 RunAndWait(const QString& program, const QStringList& arguments, std::optional<int>& windowStyle,
                  ProgressBar* progress, const std::function<bool()>& stop = {}, int timeLimitMs = kTimeLimitMs,
                  const QByteArray& input = {}, QByteArray* output = nullptr, qint64 maxFileBytes = 0);

// Makes the process, once started, end when this program ends, however it ends (even killed outright), and limits
// the size of the files it writes when maxFileBytes is above 0. Every child these routines start is set up so.
void EndWithParent(QProcess& process, qint64 maxFileBytes = 0);

// The error number RunAndWait adds to kStartErrorBase for a program that cannot be started: 53 when it does
// not exist, 70 when it may not be run, 5 otherwise.
int StartErrorNumber(const QString& program);

} // namespace ChildProcess
