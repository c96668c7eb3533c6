// Paints the program's compiled-in images into a folder:
//   tidewell-paint-images OUTDIR
// T512.png (the shield-and-wave mark, 512 x 512), T512.ico (the same at 256 x 256), tidewell.ico (the
// Windows program icon: the mark painted at each size Explorer and the task bar ask for) and the
// three 350 x 472 cards 1.png, 2.png and 3.png shown by the image dialog. The results are committed in
// resources/; run this again only to change the pictures.
#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

namespace {

QPainterPath shieldPath(const QRectF& box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal x = box.left();
    const qreal y = box.top();
    QPainterPath path;
    path.moveTo(x + w * 0.5, y);
    path.cubicTo(x + w * 0.68, y + h * 0.08, x + w * 0.86, y + h * 0.1, x + w, y + h * 0.1);
    path.lineTo(x + w, y + h * 0.45);
    path.cubicTo(x + w, y + h * 0.72, x + w * 0.78, y + h * 0.9, x + w * 0.5, y + h);
    path.cubicTo(x + w * 0.22, y + h * 0.9, x, y + h * 0.72, x, y + h * 0.45);
    path.lineTo(x, y + h * 0.1);
    path.cubicTo(x + w * 0.14, y + h * 0.1, x + w * 0.32, y + h * 0.08, x + w * 0.5, y);
    path.closeSubpath();
    return path;
}

QPainterPath wavePath(const QRectF& box, qreal baseline, qreal amplitude)
{
    QPainterPath path;
    const qreal y = box.top() + box.height() * baseline;
    const qreal a = box.height() * amplitude;
    path.moveTo(box.left() - box.width() * 0.1, y);
    path.cubicTo(box.left() + box.width() * 0.2, y - a, box.left() + box.width() * 0.3, y + a,
                 box.left() + box.width() * 0.5, y);
    path.cubicTo(box.left() + box.width() * 0.7, y - a, box.left() + box.width() * 0.8, y + a,
                 box.left() + box.width() * 1.1, y);
    return path;
}

// The mark: a blue shield with two white waves, drawn into `box`.
void paintMark(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shield = shieldPath(box);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, QColor("#00C2FF"));
    fill.setColorAt(1, QColor("#1A56D8"));
    painter.fillPath(shield, fill);
    painter.setClipPath(shield);
    QPen wave(Qt::white, box.width() * 0.075, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.drawPath(wavePath(box, 0.5, 0.1));
    wave.setColor(QColor(255, 255, 255, 150));
    painter.setPen(wave);
    painter.drawPath(wavePath(box, 0.7, 0.1));
    painter.restore();
}

QImage markImage(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const qreal margin = side * 0.06;
    paintMark(painter, QRectF(margin + side * 0.04, margin, side - 2 * margin - side * 0.08, side - 2 * margin));
    return image;
}

struct Card {
    const char* file;
    const char* title;
    const char* note;
    QColor accent;
};

// A placeholder card: a rounded sheet with the mark, a title and a note.
QImage cardImage(const Card& card)
{
    QImage image(350, 472, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor("#F7F9FC"));
    painter.drawRoundedRect(QRectF(4, 4, 342, 464), 24, 24);
    painter.setBrush(card.accent);
    painter.drawRoundedRect(QRectF(4, 4, 342, 120), 24, 24);
    painter.drawRect(QRectF(4, 80, 342, 44));
    paintMark(painter, QRectF(135, 150, 80, 96));

    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(4, 30, 342, 64), Qt::AlignCenter, QString::fromUtf8(card.title));
    font.setPixelSize(18);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor("#475569"));
    painter.drawText(QRectF(24, 280, 302, 120), Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(card.note));
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor("#94A3B8"));
    painter.drawText(QRectF(4, 420, 342, 30), Qt::AlignCenter, QStringLiteral("Tidewell"));
    return image;
}

const Card kCards[] = {
    {"1.png", "护航卡", "专属护航服务\n示意图片", QColor("#1A73E8")},
    {"2.png", "联系客服", "扫码添加客服\n示意图片", QColor("#10B981")},
    {"3.png", "远程协助", "专家远程协助\n示意图片", QColor("#FF7A45")},
};

// The tick of a checked phase-2 item box: white on the accent-filled box of every theme.
QImage checkImage()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {{7, 16.5}, {13.5, 23}, {25, 9.5}};
    painter.drawPolyline(tick, 3);
    return image;
}

bool save(const QImage& image, const QString& path, QTextStream& err)
{
    if (image.save(path))
        return true;
    err << "cannot write " << path << "\n";
    return false;
}

// An icon file holds one PNG-compressed image per size (read by Windows Vista and later): the header,
// one 16-byte directory entry per image, then the images. A side of 256 is written as 0.
bool saveIcon(const QList<int>& sides, const QString& path, QTextStream& err)
{
    QList<QByteArray> images;
    for (int side : sides) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        markImage(side).save(&buffer, "PNG");
        images.append(png);
    }
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << quint16(0) << quint16(1) << quint16(sides.size());
    quint32 offset = 6 + 16 * sides.size();
    for (int i = 0; i < sides.size(); ++i) {
        const quint8 side = sides[i] >= 256 ? 0 : quint8(sides[i]);
        stream << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32) << quint32(images[i].size())
               << offset;
        offset += images[i].size();
    }
    for (const QByteArray& image : images)
        bytes.append(image);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        return true;
    err << "cannot write " << path << "\n";
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: tidewell-paint-images OUTDIR\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    bool ok = save(markImage(512), out.filePath(QStringLiteral("T512.png")), err);
    ok = save(markImage(256), out.filePath(QStringLiteral("T512.ico")), err) && ok;
    ok = saveIcon({16, 20, 24, 32, 40, 48, 64, 128, 256}, out.filePath(QStringLiteral("tidewell.ico")), err) && ok;
    for (const Card& card : kCards)
        ok = save(cardImage(card), out.filePath(QString::fromLatin1(card.file)), err) && ok;
    ok = save(checkImage(), out.filePath(QStringLiteral("check.png")), err) && ok;
    return ok ? 0 : 1;
}
