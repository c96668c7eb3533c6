#include "platform/win32/Win32Files.h"

#include "platform/win32/LongPath.h"
#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

namespace {

constexpr DWORD readChunk = 64 * 1024;

std::int64_t ticksOf(const FILETIME& time)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

std::uint64_t sizeOf(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool isDotEntry(const wchar_t* name)
{
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

std::wstring lastComponent(const std::wstring& path)
{
    std::wstring trimmed = path;
    while (trimmed.size() > 3 && (trimmed.back() == L'\\' || trimmed.back() == L'/'))
        trimmed.pop_back();
    const auto slash = trimmed.find_last_of(L"\\/");
    return slash == std::wstring::npos ? trimmed : trimmed.substr(slash + 1);
}

Status lastError()
{
    return static_cast<Status>(GetLastError());
}

// The long form that longPath() put in front of an ordinary path is taken off again: callers compare the
// answer with the paths they know.
std::wstring withoutLongForm(const std::wstring& answer, const std::wstring& asked, const std::wstring& given)
{
    if (asked == given)
        return answer;
    if (answer.rfind(L"\\\\?\\UNC\\", 0) == 0)
        return L"\\\\" + answer.substr(8);
    if (answer.rfind(L"\\\\?\\", 0) == 0)
        return answer.substr(4);
    return answer;
}

} // namespace

Status Win32Files::list(const std::wstring& folder, const std::function<bool(const FileEntry&)>& visit)
{
    std::wstring pattern = longPath(folder);
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern.push_back(L'\\');
    pattern.push_back(L'*');
    WIN32_FIND_DATAW found{};
    const UniqueFind find = ownFind(FindFirstFileW(pattern.c_str(), &found));
    if (!find)
        return lastError();
    do {
        if (isDotEntry(found.cFileName))
            continue;
        FileEntry entry;
        entry.name = found.cFileName;
        entry.attributes = found.dwFileAttributes;
        entry.size = sizeOf(found.nFileSizeHigh, found.nFileSizeLow);
        entry.lastWriteTime = ticksOf(found.ftLastWriteTime);
        // dwReserved0 holds the reparse tag only for a reparse point.
        entry.reparseTag = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? found.dwReserved0 : 0;
        if (!visit(entry))
            return ErrorSuccess;
    } while (FindNextFileW(find.get(), &found));
    const DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? ErrorSuccess : static_cast<Status>(error);
}

Status Win32Files::attributes(const std::wstring& path, FileEntry& entry)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(longPath(path).c_str(), GetFileExInfoStandard, &data))
        return lastError();
    entry.name = lastComponent(path);
    entry.attributes = data.dwFileAttributes;
    entry.size = sizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    entry.lastWriteTime = ticksOf(data.ftLastWriteTime);
    return ErrorSuccess;
}

Status Win32Files::deleteFile(const std::wstring& path)
{
    return DeleteFileW(longPath(path).c_str()) ? ErrorSuccess : lastError();
}

Status Win32Files::removeDirectory(const std::wstring& path)
{
    return RemoveDirectoryW(longPath(path).c_str()) ? ErrorSuccess : lastError();
}

Status Win32Files::rename(const std::wstring& from, const std::wstring& to)
{
    return MoveFileExW(longPath(from).c_str(), longPath(to).c_str(), 0) ? ErrorSuccess : lastError();
}

Status Win32Files::setAttributes(const std::wstring& path, std::uint32_t attributes)
{
    return SetFileAttributesW(longPath(path).c_str(), attributes) ? ErrorSuccess : lastError();
}

Status Win32Files::readFile(const std::wstring& path, std::uint64_t maxBytes, std::string& bytes)
{
    bytes.clear();
    const UniqueHandle file = ownHandle(CreateFileW(longPath(path).c_str(), GENERIC_READ,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                    OPEN_EXISTING, FILE_FLAG_OPEN_NO_RECALL, nullptr));
    if (!file)
        return lastError();
    char chunk[readChunk];
    while (bytes.size() < maxBytes) {
        const std::uint64_t left = maxBytes - bytes.size();
        const DWORD wanted = left < readChunk ? static_cast<DWORD>(left) : readChunk;
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk, wanted, &read, nullptr))
            return lastError();
        if (read == 0)
            break;
        bytes.append(chunk, read);
    }
    return ErrorSuccess;
}

Status Win32Files::longPathName(const std::wstring& path, std::wstring& longName)
{
    const std::wstring asked = longPath(path);
    // Not every implementation checks that a "\\?\" path exists before answering it unchanged.
    if (GetFileAttributesW(asked.c_str()) == INVALID_FILE_ATTRIBUTES)
        return lastError();
    DWORD size = GetLongPathNameW(asked.c_str(), nullptr, 0);
    while (size != 0) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetLongPathNameW(asked.c_str(), buffer.data(), size);
        if (length == 0)
            break;
        if (length < size) {
            buffer.resize(length);
            longName = withoutLongForm(buffer, asked, path);
            return ErrorSuccess;
        }
        size = length; // the path changed between the two calls
    }
    return static_cast<Status>(GetLastError());
}

} // namespace platform::win32
