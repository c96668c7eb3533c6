#include "analysis/ExecutablePath.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const char* const kProgramExtensions[] = {".exe", ".lnk", ".bat", ".cmd"};

bool namesProgram(const QString& word)
{
    for (const char* extension : kProgramExtensions) {
        if (word.contains(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

QString executableOf(const QString& command)
{
    const QString trimmed = command.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (trimmed.startsWith(QLatin1Char('"'))) {
        const int closing = trimmed.indexOf(QLatin1Char('"'), 1);
        if (closing > 0)
            return trimmed.mid(1, closing - 1);
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = trimmed.split(blanks, Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (namesProgram(word))
            return word;
    }
    return words.value(0);
}
