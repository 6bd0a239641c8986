// Writes the program's Windows icon, the "on" tray picture at 16, 32, 48 and 256 pixels, as an
// .ico file whose images are PNG (the form every Windows since Vista reads at every size).
//
//   make_quillane_ico OUTPUT

#include "resources/TrayPictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <cstdio>

namespace {

constexpr int OnPicture = 2;
constexpr int Sides[] = {16, 32, 48, 256};
constexpr quint32 HeaderSize = 6;
constexpr quint32 EntrySize = 16;

QByteArray PngOf(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// The icon directory, one entry per image, then the images; a side of 256 is written as 0.
QByteArray IconFile(const QList<QByteArray>& pngs)
{
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pngs.size());
    quint32 offset = HeaderSize + EntrySize * static_cast<quint32>(pngs.size());
    for (qsizetype index = 0; index < pngs.size(); ++index) {
        const quint8 side = static_cast<quint8>(Sides[index] % 256);
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(pngs[index].size()) << offset;
        offset += static_cast<quint32>(pngs[index].size());
    }
    for (const QByteArray& png : pngs)
        out.writeRawData(png.constData(), static_cast<int>(png.size()));
    return file;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make_quillane_ico OUTPUT\n", stderr);
        return 2;
    }
    QList<QByteArray> pngs;
    for (const int side : Sides)
        pngs.append(PngOf(TrayPicture(OnPicture, side)));
    QSaveFile output(QFile::decodeName(argv[1]));
    if (!output.open(QIODevice::WriteOnly) || output.write(IconFile(pngs)) < 0 ||
        !output.commit()) {
        std::fprintf(stderr, "make_quillane_ico: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
