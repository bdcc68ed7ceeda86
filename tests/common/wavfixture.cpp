#include "tests/common/wavfixture.h"

#include <QDataStream>
#include <QIODevice>

QByteArray toneWav(int milliseconds)
{
    const qint32 rate = 22050;
    const qint32 samples = rate * milliseconds / 1000;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << qint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << qint32(16) << qint16(1) << qint16(1) << rate << qint32(rate * 2) << qint16(2) << qint16(16);
    out.writeRawData("data", 4);
    out << qint32(samples * 2);
    for (qint32 i = 0; i < samples; ++i)
        out << qint16((i / 25) % 2 ? 6000 : -6000);
    return data;
}
