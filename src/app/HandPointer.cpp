// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HandPointer.h"

#include "common/AppError.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

namespace HandPointer {
namespace {

// A .cur file starts with reserved 0, type 2 and an image count, then one 16-byte entry per image whose
// bytes 4 to 7 hold the hot spot.
QPoint hotSpot(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    return {qFromLittleEndian<quint16>(data + 6 + 4), qFromLittleEndian<quint16>(data + 6 + 6)};
}

bool isCursorHeader(const QByteArray& bytes) {
    if (bytes.size() < 22)
        return false;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    return qFromLittleEndian<quint16>(data) == 0 && qFromLittleEndian<quint16>(data + 2) == 2 &&
           qFromLittleEndian<quint16>(data + 4) > 0;
}

} // namespace

QCursor load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("The cursor file %1 cannot be read: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QImage image;
    if (!isCursorHeader(bytes) || !image.loadFromData(bytes, "CUR") || image.isNull())
        throw AppError(AppError::InvalidProcedureCall, QStringLiteral("The file %1 is not a cursor").arg(path));
    const QPoint spot = hotSpot(bytes);
    return QCursor(QPixmap::fromImage(image), spot.x(), spot.y());
}

} // namespace HandPointer
