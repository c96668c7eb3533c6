#include "text/ConsoleText.h"

namespace ConsoleText {

namespace {

bool isUtf16(const QByteArray& bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.contains('\0');
}

} // namespace

QByteArray fromTool(const std::string& output, const platform::Commands& commands)
{
    const QByteArray bytes = QByteArray::fromStdString(output);
    if (isUtf16(bytes))
        return bytes;
    return QString::fromStdWString(commands.consoleText(output)).toUtf8();
}

QString decode(const QByteArray& bytes)
{
    const bool bom = bytes.startsWith("\xFF\xFE");
    if (isUtf16(bytes)) {
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
    return QString::fromUtf8(bytes);
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
