#include "text/ConsoleText.h"

namespace ConsoleText {

QString decode(const QByteArray& bytes)
{
    bool bom = bytes.startsWith("\xFF\xFE");
    if (bom || bytes.contains('\0')) {
        const int start = bom ? 2 : 0;
        const int units = (bytes.size() - start) / 2;
        QString text;
        text.reserve(units);
        for (int i = 0; i < units; ++i) {
            const auto low = static_cast<unsigned char>(bytes[start + 2 * i]);
            const auto high = static_cast<unsigned char>(bytes[start + 2 * i + 1]);
            text.append(QChar(static_cast<ushort>(low | (high << 8))));
        }
        return text;
    }
    return QString::fromLocal8Bit(bytes);
}

QStringList lines(const QByteArray& bytes)
{
    QStringList result;
    const QStringList parts = decode(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString line : parts) {
        line.remove(QLatin1Char('\r'));
        if (!line.isEmpty())
            result.append(line);
    }
    return result;
}

} // namespace ConsoleText
