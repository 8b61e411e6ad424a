// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Writes the bytes as a model file and checks that an estimator that had the shipped model loaded refuses it, with
// the reason and the file's path in its error, and holds no model afterwards.
template <typename Estimator>
void checkModelFileRefused(const QByteArray& bytes, const QString& reason, const QString& shippedModel) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("model.dat"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    Estimator estimator;
    QVERIFY(estimator.load(shippedModel));
    QString error;
    QVERIFY(!estimator.load(path, &error));
    QVERIFY(!estimator.isLoaded());
    QVERIFY2(error.contains(reason) && error.contains(path), qPrintable(error));
}
