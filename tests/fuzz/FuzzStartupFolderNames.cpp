// Hostile start-up entry names, one a line (at most 12 that Windows allows in a file name): each becomes a file in
// the user's start-up folder and a value of the user's Run key, then the start-up manager scans. No entry keeps the
// ".optimizer_bak" backup name, every file that is neither a backup, hidden by a leading dot nor the folder's
// desktop.ini is listed once, a backup comes back only under a name that was free, a Run value that was there keeps
// its command, nothing leaves the folder, and every listed folder entry can be switched off by its base name and by
// its own name.
#include "startup/StartupManager.h"
#include "text/PlatformText.h"

#include "FuzzSimPc.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>

using namespace platform;

namespace {

const QString kSuffix = QStringLiteral(".optimizer_bak");
const wchar_t kFolder[] = L"C:\\Users\\User\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isFileName(const QString& name)
{
    if (name.isEmpty() || name.size() > 100 || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 32 || QStringLiteral("<>:\"/\\|?*").contains(c))
            return false;
    }
    return true;
}

QStringList namesOf(const std::uint8_t* data, std::size_t size)
{
    QStringList names;
    QSet<QString> seen;
    const QStringList lines = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size)).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (names.size() < 12 && isFileName(line) && !seen.contains(line.toLower())) {
            seen.insert(line.toLower());
            names.append(line);
        }
    }
    return names;
}

std::unique_ptr<RegistryKey> runKey(Platform& machine)
{
    std::unique_ptr<RegistryKey> key;
    require(succeeded(machine.registry.createKey(Hive::CurrentUser, kRun, RegAccess::ReadWrite, RegView::Native64, key)));
    return key;
}

// The fresh PC's start-up folder and Run key, holding exactly `names`.
void prepare(FuzzSimPc& pc, const QStringList& names)
{
    Platform& machine = pc.platform();
    const std::filesystem::path folder = pc.machine().hostPath(kFolder);
    std::filesystem::create_directories(folder);
    auto key = runKey(machine);
    for (const QString& name : names) {
        std::ofstream(folder / name.toStdString());
        require(succeeded(key->setValue(toWString(name), RegValue::string(L"C:\\Apps\\" + toWString(name) + L".exe"))));
    }
}

QString baseName(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

void checkFolder(FuzzSimPc& pc, const QStringList& names, const QList<StartupEntry>& entries)
{
    QStringList listed;
    for (const StartupEntry& entry : entries) {
        if (entry.source == QLatin1String("StartupFolder_User"))
            listed.append(entry.name);
    }
    for (const QString& name : listed) {
        require(listed.count(name) == 1 && !name.endsWith(kSuffix));
        require(names.contains(name) || (names.contains(name + kSuffix) && !names.contains(name, Qt::CaseInsensitive)));
    }
    for (const QString& name : names) {
        if (!name.endsWith(kSuffix) && !name.startsWith(QLatin1Char('.')) &&
            name.compare(QLatin1String("desktop.ini"), Qt::CaseInsensitive) != 0)
            require(listed.contains(name));
    }
    const std::filesystem::path folder = pc.machine().hostPath(kFolder);
    for (const auto& entry : std::filesystem::directory_iterator(folder.parent_path()))
        require(entry.path() == folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        require(entry.is_regular_file());
}

void checkRunKey(Platform& machine, const QStringList& names, const QList<StartupEntry>& entries)
{
    for (const StartupEntry& entry : entries)
        require(!entry.name.endsWith(kSuffix));
    auto key = runKey(machine);
    for (const QString& name : names) {
        RegValue value;
        if (!name.endsWith(kSuffix))
            require(succeeded(key->queryValue(toWString(name), value)) &&
                    value.asString() == L"C:\\Apps\\" + toWString(name) + L".exe");
    }
}

// The entry of the user's folder named exactly `name` is switched off.
bool isDisabled(const StartupManager& manager, const QString& name)
{
    for (const StartupEntry& entry : manager.entries) {
        if (entry.source == QLatin1String("StartupFolder_User") && entry.name == name)
            return entry.disabled;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList names = namesOf(data, size);
    FuzzSimPc pc;
    prepare(pc, names);
    StartupManager manager(pc.platform());
    const QList<StartupEntry> entries = manager.scan();
    checkFolder(pc, names, entries);
    checkRunKey(pc.platform(), names, entries);
    for (const StartupEntry& entry : entries) {
        if (entry.source != QLatin1String("StartupFolder_User"))
            continue;
        for (const QString& asked : {baseName(entry.name), entry.name}) {
            const StartupManager::Outcome outcome = manager.disable(entry.source, asked);
            require(outcome == StartupManager::Outcome::Changed || outcome == StartupManager::Outcome::AlreadySo);
        }
        require(isDisabled(manager, entry.name));
    }
    return 0;
}
