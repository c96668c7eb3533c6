#include "ui/feedback/CardNumber.h"

#include <QCryptographicHash>
#include <QRegularExpression>

QString cardNumberFor(const QString& deviceId)
{
    static const QRegularExpression identifier(QStringLiteral("^[0-9a-fA-F]{16}$"));
    QString digits = deviceId;
    if (!identifier.match(digits).hasMatch())
        digits = QString::fromLatin1(
            QCryptographicHash::hash(deviceId.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    digits = digits.toUpper();
    return QStringLiteral("VIP-%1-%2-%3").arg(digits.left(4), digits.mid(4, 4), digits.mid(8, 4));
}
