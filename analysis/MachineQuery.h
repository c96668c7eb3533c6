#pragma once

#include "engine/NativeSystemFolder.h"
#include "platform/Platform.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The read-only questions the analysis asks of the machine, in Qt terms: registry keys opened for reading in
// the native 64-bit view, string values with a byte limit, environment expansion, existence of paths,
// bounded file reads and folder listings. Every failure comes back as "nothing there", because each scanner
// skips what it cannot read.
class MachineQuery {
public:
    explicit MachineQuery(platform::Platform& platform);

    // KEY_READ | KEY_WOW64_64KEY; null when the key does not open.
    std::unique_ptr<platform::RegistryKey> openKey(platform::Hive hive, const QString& subKey) const;

    // RegQueryValueExW with a buffer of `maxBytes`, and once more with the size the value needs when it is
    // larger (up to kMaxValueBytes): true when the read succeeded; `text` is the string held by a REG_SZ /
    // REG_EXPAND_SZ value and empty for any other type.
    static bool readString(const platform::RegistryKey& key, const QString& name, std::uint32_t maxBytes,
                           QString& text);

    // RegEnumValueW from index 0 until it fails. A value too large for the buffers is read again with the
    // size it needs and a name buffer of the registry's own limit; one larger than kMaxValueBytes is
    // skipped, so that it never hides the values after it.
    static void forEachValue(const platform::RegistryKey& key, std::uint32_t maxNameChars, std::uint32_t maxDataBytes,
                             const std::function<void(const QString&, const platform::RegValue&)>& visit);

    // RegEnumKeyExW from index 0 until it fails.
    static void forEachSubKey(const platform::RegistryKey& key, std::uint32_t maxNameChars,
                              const std::function<void(const QString&)>& visit);

    // ExpandEnvironmentStringsW into a buffer of 520 characters; the text unchanged when that fails.
    QString expand(const QString& text) const;
    QString environment(const QString& name) const;

    bool exists(const QString& path) const;
    bool isFile(const QString& path) const;
    bool isFolder(const QString& path) const;

    // At most `maxBytes` from the start of the file; false when it cannot be read or is a cloud placeholder,
    // whose data is never fetched.
    bool readFile(const QString& path, qint64 maxBytes, QByteArray& bytes) const;

    // The names of the plain files (links excluded) or of the sub-folders of a folder.
    QStringList files(const QString& folder) const;
    // The files of a start-up folder, listed as the start-up manager lists them (StartupFolderFiles).
    QStringList startupFiles(const QString& folder) const;
    QStringList subFolders(const QString& folder) const;

    // "C:\a\" + "b" -> "C:\a\b": one backslash between a folder and a name.
    static QString join(const QString& folder, const QString& name);

    platform::Platform& platform() const { return platform_; }

    // The path as this process reaches it: below "%WINDIR%\System32" the native folder (Sysnative under
    // WOW64), so that existence and signature checks see the 64-bit files Windows runs.
    QString nativePath(const QString& path) const { return native_.map(path); }

    static constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;
    // The most a registry value may hold to be read: many times the longest command line Windows accepts
    // (32,767 characters), and small enough that a hostile value cannot exhaust the memory of the program.
    static constexpr std::uint32_t kMaxValueBytes = 4 * 1024 * 1024;
    // The longest value name the registry stores (16,383 characters) and its terminating null.
    static constexpr std::uint32_t kMaxValueNameChars = 16384;
    static constexpr int kMaxExpandedChars = 520;

private:
    QStringList list(const QString& folder, bool wantFolders) const;
    // Without trailing backslashes, except for a drive root; a System32 path mapped to the native folder.
    std::wstring machinePath(const QString& path) const;

    platform::Platform& platform_;
    NativeSystemFolder native_;
};
