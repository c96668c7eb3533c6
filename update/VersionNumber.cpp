#include "update/VersionNumber.h"

#include <QStringList>

#include <algorithm>

namespace version {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A part without its leading zeros, so that parts of any length compare by length first, then by digits.
QString significant(const QString& part)
{
    int first = 0;
    while (first < part.size() && part.at(first) == QLatin1Char('0'))
        ++first;
    return part.mid(first);
}

int compareParts(const QString& a, const QString& b)
{
    const QString x = significant(a);
    const QString y = significant(b);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return QString::compare(x, y);
}

} // namespace

QString fromFooterText(const QString& footerText)
{
    QString text = footerText.trimmed();
    int first = 0;
    while (first < text.size() && !isAsciiDigit(text.at(first)))
        ++first;
    return text.mid(first);
}

bool isPlain(const QString& text)
{
    if (text.isEmpty() || text.size() > kMaxLength)
        return false;
    bool hasDigit = false;
    for (QChar c : text) {
        if (isAsciiDigit(c))
            hasDigit = true;
        else if (c != QLatin1Char('.'))
            return false;
    }
    return hasDigit;
}

int compare(const QString& a, const QString& b)
{
    const QStringList left = a.split(QLatin1Char('.'));
    const QStringList right = b.split(QLatin1Char('.'));
    const int count = std::max(left.size(), right.size());
    for (int i = 0; i < count; ++i) {
        const int order = compareParts(left.value(i), right.value(i));
        if (order != 0)
            return order;
    }
    return 0;
}

} // namespace version
