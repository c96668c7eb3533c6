#include "analysis/ExecutablePath.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

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

bool hasExtension(const QString& path)
{
    const int name = path.lastIndexOf(QLatin1Char('\\')) + 1;
    return path.indexOf(QLatin1Char('.'), name) >= 0;
}

// The file Windows would start for one prefix, or null.
QString startedFile(const QString& prefix, const std::function<bool(const QString&)>& isFile)
{
    const QString candidate = hasExtension(prefix) ? prefix : prefix + QStringLiteral(".exe");
    return isFile(candidate) ? candidate : QString();
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

QString executableOf(const QString& command, const std::function<bool(const QString&)>& isFile)
{
    const QString trimmed = command.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('"')))
        return executableOf(trimmed);
    const int end = std::min<int>(trimmed.size(), kMaxProgramChars);
    for (int i = 1; i <= end; ++i) {
        const bool endsHere = i == trimmed.size() || (trimmed[i].isSpace() && !trimmed[i - 1].isSpace());
        if (!endsHere)
            continue;
        const QString file = startedFile(trimmed.left(i), isFile);
        if (!file.isNull())
            return file;
    }
    return executableOf(trimmed);
}
