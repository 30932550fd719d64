#pragma once
// What the system's barcode readers decode from a picture: zbarimg's
// "TYPE:data" lines, or dmtxread's data for Data Matrix.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zelmio::test {

inline QStringList DecodeBarcodes(const QImage &image, bool dataMatrix = false)
{
    const QString program = dataMatrix ? QStringLiteral("dmtxread") : QStringLiteral("zbarimg");
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        ADD_FAILURE() << program.toStdString() << " is missing (scripts/setup.sh installs it)";
        return {};
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("picture.png"));
    image.save(file);
    QProcess reader;
    reader.setProcessChannelMode(QProcess::SeparateChannels);
    const QStringList arguments = dataMatrix
        ? QStringList{file}
        : QStringList{QStringLiteral("-q"), QStringLiteral("-Supca.enable"), file};
    reader.start(path, arguments);
    reader.waitForFinished(60000);
    const QString out = QString::fromUtf8(reader.readAllStandardOutput());
    return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace zelmio::test
