#include "phase2/RestorePointListing.h"

#include "engine/ConsoleTool.h"
#include "text/ConsoleText.h"
#include "text/PlatformText.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

struct Column {
    QString name;
    int start;
};

QVector<Column> columnsOf(const QString& header)
{
    QVector<Column> columns;
    static const QRegularExpression word(QStringLiteral("\\S+"));
    auto it = word.globalMatch(header);
    while (it.hasNext()) {
        const auto match = it.next();
        columns.append({match.captured(), match.capturedStart()});
    }
    return columns;
}

QString cell(const QString& line, const QVector<Column>& columns, int index)
{
    const int start = columns[index].start;
    const int length = index + 1 < columns.size() ? columns[index + 1].start - start : -1;
    return line.mid(start, length).trimmed();
}

int columnIndex(const QVector<Column>& columns, const QString& name)
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

RestorePointListing::RestorePointListing(platform::Platform& machine)
    : machine_(machine)
{
}

QVector<RestorePointListing::Point> RestorePointListing::parseWmicTable(const QByteArray& output)
{
    QVector<Point> points;
    const QStringList lines = ConsoleText::lines(output);
    if (lines.isEmpty())
        return points;
    const auto columns = columnsOf(lines.first());
    const int sequence = columnIndex(columns, QStringLiteral("SequenceNumber"));
    const int description = columnIndex(columns, QStringLiteral("Description"));
    if (sequence < 0)
        return points;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,10}$"));
    for (int i = 1; i < lines.size(); ++i) {
        const QString number = cell(lines[i], columns, sequence);
        bool ok = false;
        const qulonglong value = number.toULongLong(&ok);
        if (!digits.match(number).hasMatch() || !ok || value > 0xFFFFFFFFull)
            continue;
        points.append({quint32(value), description < 0 ? QString() : cell(lines[i], columns, description)});
    }
    return points;
}

bool RestorePointListing::read(QVector<Point>& points)
{
    points.clear();
    std::vector<platform::RestorePoint> native;
    if (platform::succeeded(machine_.systemInfo.restorePoints(native))) {
        for (const auto& point : native)
            points.append({point.sequenceNumber, toQString(point.description)});
    } else {
        const auto outcome = ConsoleTool::run(
            machine_, QStringLiteral("wmic"),
            {QStringLiteral("/namespace:\\\\root\\default"), QStringLiteral("path"), QStringLiteral("SystemRestore"),
             QStringLiteral("get"), QStringLiteral("SequenceNumber,Description,CreationTime")},
            8000);
        if (!outcome.succeeded())
            return false;
        points = parseWmicTable(outcome.output);
    }
    std::sort(points.begin(), points.end(),
              [](const Point& a, const Point& b) { return a.sequenceNumber < b.sequenceNumber; });
    return true;
}
