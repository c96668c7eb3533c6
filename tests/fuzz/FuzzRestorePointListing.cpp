// Hostile wmic restore-point tables: only a table whose header names "SequenceNumber" gives points, at most one
// a row, each with a number written in its row and a trimmed one-line description.
#include "phase2/RestorePointListing.h"
#include "text/ConsoleText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray output(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QVector<RestorePointListing::Point> points = RestorePointListing::parseWmicTable(output);
    const QStringList lines = ConsoleText::lines(output);
    require(points.size() <= std::max(0, lines.size() - 1));
    if (points.isEmpty())
        return 0;
    require(lines.first().contains(QStringLiteral("SequenceNumber"), Qt::CaseInsensitive));
    const QString text = lines.join(QLatin1Char('\n'));
    for (const RestorePointListing::Point& point : points) {
        require(text.contains(QString::number(point.sequenceNumber)));
        require(point.description == point.description.trimmed() && !point.description.contains(QLatin1Char('\n')));
    }
    return 0;
}
