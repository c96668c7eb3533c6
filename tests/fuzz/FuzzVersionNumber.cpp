// Hostile version texts, one a line. The footer's version is empty or starts with a digit
// and ends the trimmed text; comparing plain versions is an order: reflexive, antisymmetric, transitive, and
// blind to trailing ".0" parts (checked on the first three plain lines).
#include "update/VersionNumber.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size)).split(QLatin1Char('\n'));
    QStringList plain;
    for (const QString& line : lines) {
        const QString footer = version::fromFooterText(line);
        require(footer.isEmpty() || (footer.at(0) >= QLatin1Char('0') && footer.at(0) <= QLatin1Char('9')));
        require(line.trimmed().endsWith(footer));
        if (version::isPlain(line) && plain.size() < 3)
            plain.append(line);
    }
    for (const QString& a : plain) {
        require(version::compare(a, a) == 0);
        require(version::compare(a + QStringLiteral(".0"), a) == 0);
        for (const QString& b : plain) {
            const int ab = sign(version::compare(a, b));
            require(ab == -sign(version::compare(b, a)));
            for (const QString& c : plain) {
                if (ab <= 0 && sign(version::compare(b, c)) <= 0)
                    require(version::compare(a, c) <= 0);
            }
        }
    }
    return 0;
}
