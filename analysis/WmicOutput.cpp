#include "analysis/WmicOutput.h"

#include "text/ConsoleText.h"

namespace WmicOutput {

namespace {

struct Column {
    int start = -1;
    int end = -1; // exclusive; -1 for the last column
};

// The position of `property` in a table header line, found by its start among the blank-separated names.
Column columnOf(const QString& header, const QString& property)
{
    Column column;
    int i = 0;
    const int size = header.size();
    while (i < size) {
        while (i < size && header.at(i).isSpace())
            ++i;
        const int start = i;
        while (i < size && !header.at(i).isSpace())
            ++i;
        if (start == i)
            break;
        if (column.start >= 0) {
            column.end = start;
            return column;
        }
        if (header.midRef(start, i - start).compare(property, Qt::CaseInsensitive) == 0)
            column.start = start;
    }
    return column;
}

void addValue(QStringList& values, const QString& value, const QString& property)
{
    const QString trimmed = value.trimmed();
    if (!trimmed.isEmpty() && trimmed.compare(property, Qt::CaseInsensitive) != 0 && !values.contains(trimmed))
        values.append(trimmed);
}

bool isAssignment(const QString& line, const QString& property)
{
    return line.trimmed().startsWith(property + QLatin1Char('='), Qt::CaseInsensitive);
}

} // namespace

QStringList values(const QByteArray& output, const QString& property)
{
    QStringList result;
    const QStringList lines = ConsoleText::lines(output);
    Column column;
    for (const QString& line : lines) {
        if (isAssignment(line, property)) {
            const QString trimmed = line.trimmed();
            addValue(result, trimmed.mid(property.size() + 1), property);
            continue;
        }
        if (column.start < 0) {
            column = columnOf(line, property);
            continue;
        }
        const int length = column.end < 0 ? -1 : column.end - column.start;
        addValue(result, line.mid(column.start, length), property);
    }
    return result;
}

} // namespace WmicOutput
