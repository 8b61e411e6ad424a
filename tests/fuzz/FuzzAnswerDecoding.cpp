// SPDX-License-Identifier: GPL-3.0-or-later
// The answer file that curl leaves: read back as text the way the lookup reads it, whatever its bytes.

#include "FuzzCheck.h"

#include "common/TextCodec.h"
#include "dictionary/CurlFunctions.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QString answerPath() {
    static QTemporaryDir folder(fuzzScratchTemplate());
    fuzzCheck(folder.isValid(), "a temporary folder for the answer file");
    return folder.filePath(QStringLiteral("answer.xml"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes = fuzzBytes(data, size);
    const QString path = answerPath();
    QFile file(path);
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the answer file can be written");
    fuzzCheck(file.write(bytes.data(), bytes.size()) == bytes.size(), "the answer file is written whole");
    file.close();
    const QString text = CurlFunctions::ReadWholeFile(path);
    if (!bytes.isEmpty())
        fuzzCheck(text.size() <= bytes.size(), "no byte of an answer gives more than one UTF-16 unit");
    fuzzCheck(TextCodec::fromUtf16Le(bytes).size() == bytes.size() / 2, "one UTF-16 unit per two bytes");
    fuzzCheck(TextCodec::fromUtf8OrWindows1252(bytes).size() <= bytes.size(), "at most one unit per byte");
    return 0;
}
