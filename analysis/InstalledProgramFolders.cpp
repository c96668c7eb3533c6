#include "analysis/InstalledProgramFolders.h"

#include "analysis/InstalledPrograms.h"
#include "engine/CanonicalPath.h"
#include "text/PlatformText.h"

#include <QRegularExpression>

namespace {

QString unquotedStart(const QString& text)
{
    const int close = text.indexOf(QLatin1Char('"'), 1);
    return close < 0 ? text.mid(1) : text.mid(1, close - 1);
}

// The folder part of a program or file path; msiexec installs into folders its command does not name.
QString folderOf(const QString& file)
{
    const int slash = qMax(file.lastIndexOf(QLatin1Char('\\')), file.lastIndexOf(QLatin1Char('/')));
    if (slash < 0)
        return {};
    const QString name = file.mid(slash + 1).trimmed().toLower();
    if (name == QLatin1String("msiexec") || name == QLatin1String("msiexec.exe"))
        return {};
    return file.left(slash);
}

bool isDrivePath(const std::wstring& path)
{
    return path.size() > 3 && path[1] == L':' && path[2] == L'\\';
}

} // namespace

InstalledProgramFolders::InstalledProgramFolders(platform::Platform& machine)
    : machine_(machine)
{
}

QString InstalledProgramFolders::commandProgram(const QString& command)
{
    const QString text = command.trimmed();
    if (text.startsWith(QLatin1Char('"')))
        return unquotedStart(text);
    // Unquoted, Windows tries the names the blanks cut off, shortest first, and a program ends in ".exe".
    static const QRegularExpression exe(QStringLiteral("\\.exe(?=\\s|$)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = exe.match(text);
    if (match.hasMatch())
        return text.left(match.capturedEnd());
    static const QRegularExpression argument(QStringLiteral("\\s+[/-]"));
    const int arguments = text.indexOf(argument);
    return arguments < 0 ? text : text.left(arguments);
}

QString InstalledProgramFolders::iconFile(const QString& icon)
{
    const QString text = icon.trimmed();
    if (text.startsWith(QLatin1Char('"')))
        return unquotedStart(text);
    static const QRegularExpression index(QStringLiteral(",\\s*-?\\d*\\s*$"));
    return QString(text).remove(index);
}

std::vector<std::wstring> InstalledProgramFolders::folders() const
{
    CanonicalPath canonical(machine_);
    std::vector<std::wstring> result;
    const MachineQuery query(machine_);
    for (const auto& program : InstalledPrograms(query, InstalledPrograms::Keys::All).programs()) {
        const QString named[] = {program.installLocation, folderOf(commandProgram(program.uninstallString)),
                                 folderOf(iconFile(program.displayIcon))};
        for (const QString& folder : named) {
            const std::wstring path = canonical.of(toWString(folder)).path;
            if (isDrivePath(path))
                result.push_back(path);
        }
    }
    return result;
}
