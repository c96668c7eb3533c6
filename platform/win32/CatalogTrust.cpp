#include "platform/win32/CatalogTrust.h"

#include "platform/win32/OfflineTrust.h"
#include "platform/win32/Win32Handle.h"

#include <mscat.h>

#include <cstddef>
#include <string>
#include <vector>

namespace platform::win32 {

namespace {

using AcquireContext2Fn = BOOL(WINAPI*)(HCATADMIN*, const GUID*, PCWSTR, PCCERT_STRONG_SIGN_PARA, DWORD);
using CalcHashFromFileHandle2Fn = BOOL(WINAPI*)(HCATADMIN, HANDLE, DWORD*, BYTE*, DWORD);

// The SHA-256 catalog functions, looked up at run time: Windows 7's wintrust.dll does not have them.
struct Sha256Functions {
    AcquireContext2Fn acquireContext = nullptr;
    CalcHashFromFileHandle2Fn calcHash = nullptr;

    Sha256Functions()
    {
        const HMODULE wintrust = GetModuleHandleW(L"wintrust.dll");
        if (!wintrust)
            return;
        acquireContext = reinterpret_cast<AcquireContext2Fn>(
            reinterpret_cast<void*>(GetProcAddress(wintrust, "CryptCATAdminAcquireContext2")));
        calcHash = reinterpret_cast<CalcHashFromFileHandle2Fn>(
            reinterpret_cast<void*>(GetProcAddress(wintrust, "CryptCATAdminCalcHashFromFileHandle2")));
    }

    bool available() const { return acquireContext && calcHash; }
};

// WINTRUST_CATALOG_INFO as Windows 8 extended it: a SHA-256 member hash is only understood together with
// the administrator context that computed it. The Windows 7 headers end the structure before that member;
// Windows 7 reads only the part it knows.
struct CatalogMemberInfo {
    WINTRUST_CATALOG_INFO info;
    HCATADMIN catAdmin;
};
static_assert(offsetof(CatalogMemberInfo, catAdmin) == sizeof(WINTRUST_CATALOG_INFO),
              "the Windows 8 member follows the Windows 7 structure directly");

enum class HashKind { Sha256, Sha1 };

// One catalog administrator context and the hash of the file it computed.
class CatalogAdmin {
public:
    CatalogAdmin(HashKind kind, const Sha256Functions& sha256, HANDLE file)
    {
        const bool acquired = kind == HashKind::Sha256
                                  ? sha256.acquireContext(&admin_, nullptr, L"SHA256", nullptr, 0)
                                  : CryptCATAdminAcquireContext(&admin_, nullptr, 0);
        if (!acquired) {
            admin_ = nullptr;
            return;
        }
        // Both hash functions read the file from its current position.
        LARGE_INTEGER start{};
        hash_.assign(kMaxHashBytes, 0);
        DWORD bytes = kMaxHashBytes;
        const bool hashed =
            SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
            (kind == HashKind::Sha256 ? sha256.calcHash(admin_, file, &bytes, hash_.data(), 0)
                                      : CryptCATAdminCalcHashFromFileHandle(file, &bytes, hash_.data(), 0));
        hash_.resize(hashed ? bytes : 0);
    }
    ~CatalogAdmin()
    {
        if (admin_)
            CryptCATAdminReleaseContext(admin_, 0);
    }
    CatalogAdmin(const CatalogAdmin&) = delete;
    CatalogAdmin& operator=(const CatalogAdmin&) = delete;

    HCATADMIN get() const { return admin_; }
    std::vector<BYTE>& hash() { return hash_; }

private:
    static constexpr DWORD kMaxHashBytes = 64;
    HCATADMIN admin_ = nullptr;
    std::vector<BYTE> hash_;
};

// The catalogs that list a hash, one after the other. Each call for the next catalog releases the one
// before it; the one current when the walk stops early is released with the administrator context.
class CatalogWalk {
public:
    CatalogWalk(HCATADMIN admin, std::vector<BYTE>& hash)
        : admin_(admin)
        , hash_(hash)
    {
    }
    ~CatalogWalk()
    {
        if (info_)
            CryptCATAdminReleaseCatalogContext(admin_, info_, 0);
    }
    CatalogWalk(const CatalogWalk&) = delete;
    CatalogWalk& operator=(const CatalogWalk&) = delete;

    // The path of the next catalog; false when there is none left.
    bool next(CATALOG_INFO& catalog)
    {
        do {
            info_ = CryptCATAdminEnumCatalogFromHash(admin_, hash_.data(), static_cast<DWORD>(hash_.size()), 0,
                                                     info_ ? &info_ : nullptr);
            catalog = CATALOG_INFO{};
            catalog.cbStruct = sizeof(catalog);
        } while (info_ && !CryptCATCatalogInfoFromContext(info_, &catalog, 0));
        return info_ != nullptr;
    }

private:
    HCATADMIN admin_;
    std::vector<BYTE>& hash_;
    HCATINFO info_ = nullptr;
};

// The member tag of a catalog entry: its hash in upper-case hexadecimal.
std::wstring memberTag(const std::vector<BYTE>& hash)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring tag;
    for (BYTE byte : hash) {
        tag.push_back(digits[byte >> 4]);
        tag.push_back(digits[byte & 0xF]);
    }
    return tag;
}

// The file as a member of one catalog, verified.
LONG verifyMember(CatalogAdmin& admin, const CATALOG_INFO& catalog, const std::wstring& path, HANDLE file)
{
    const std::wstring tag = memberTag(admin.hash());
    CatalogMemberInfo member{};
    member.info.cbStruct = sizeof(member);
    member.info.pcwszCatalogFilePath = catalog.wszCatalogFile;
    member.info.pcwszMemberTag = tag.c_str();
    member.info.pcwszMemberFilePath = path.c_str();
    member.info.hMemberFile = file;
    member.info.pbCalculatedFileHash = admin.hash().data();
    member.info.cbCalculatedFileHash = static_cast<DWORD>(admin.hash().size());
    member.catAdmin = admin.get();
    WINTRUST_DATA data{};
    data.dwUnionChoice = WTD_CHOICE_CATALOG;
    data.pCatalog = &member.info;
    DWORD lastError = ERROR_SUCCESS;
    const LONG result = verifyOffline(data, lastError);
    return trustAnswer(result, lastError);
}

// The catalog check with one kind of hash. Several catalogs may list a file (an update ships a new one beside
// the old): the first that verifies decides; else the answer of the first catalog that lists it stands, and
// TRUST_E_NOSIGNATURE when none does.
LONG verifyWith(HashKind kind, const Sha256Functions& sha256, const std::wstring& path, HANDLE file)
{
    CatalogAdmin admin(kind, sha256, file);
    if (!admin.get() || admin.hash().empty())
        return TRUST_E_NOSIGNATURE;
    CatalogWalk catalogs(admin.get(), admin.hash());
    CATALOG_INFO catalog;
    LONG answer = TRUST_E_NOSIGNATURE;
    while (catalogs.next(catalog)) {
        const LONG result = verifyMember(admin, catalog, path, file);
        if (result == ERROR_SUCCESS)
            return result;
        if (answer == TRUST_E_NOSIGNATURE)
            answer = result;
    }
    return answer;
}

} // namespace

Status verifyCatalogMember(const std::wstring& path, std::int32_t& trustResult)
{
    const UniqueHandle file = ownHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return static_cast<Status>(GetLastError());
    static const Sha256Functions sha256;
    // Catalogs written before SHA-256 list SHA-1 hashes only, so both are asked where both exist.
    LONG result = sha256.available() ? verifyWith(HashKind::Sha256, sha256, path, file.get()) : TRUST_E_NOSIGNATURE;
    if (result != ERROR_SUCCESS) {
        const LONG sha1 = verifyWith(HashKind::Sha1, sha256, path, file.get());
        if (sha1 == ERROR_SUCCESS || result == TRUST_E_NOSIGNATURE)
            result = sha1;
    }
    trustResult = result;
    return ErrorSuccess;
}

} // namespace platform::win32
