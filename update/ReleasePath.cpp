#include "update/ReleasePath.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace releasepath {

namespace {

const char* const kKeptFolders[] = {"config", "logs", "changes", "tools"};

const QLatin1String kForbiddenCharacters("<>:\"|?*\\");

// Windows opens these as devices whatever extension follows.
bool isDeviceName(const QString& segment)
{
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return device.match(segment).hasMatch();
}

bool isAllowedCharacter(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() != 0x7F && !kForbiddenCharacters.contains(c);
}

bool isAllowedSegment(const QString& segment)
{
    if (segment.isEmpty() || segment.endsWith(QLatin1Char('.')) || segment.endsWith(QLatin1Char(' ')))
        return false;
    if (!std::all_of(segment.begin(), segment.end(), isAllowedCharacter))
        return false;
    return !isDeviceName(segment);
}

bool isKeptFolder(const QString& segment)
{
    return std::any_of(std::begin(kKeptFolders), std::end(kKeptFolders), [&](const char* folder) {
        return segment.compare(QLatin1String(folder), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

bool isAllowed(const QString& path)
{
    if (path.isEmpty() || path.size() > kMaxLength)
        return false;
    const QStringList segments = path.split(QLatin1Char('/'));
    if (isKeptFolder(segments.first()))
        return false;
    return std::all_of(segments.begin(), segments.end(), isAllowedSegment);
}

} // namespace releasepath
