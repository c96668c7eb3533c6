#include "platform/Signature.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

namespace {

constexpr NTSTATUS kSuccess = 0;
constexpr ULONG kCoordinateBytes = 32;
constexpr ULONG kDigestBytes = 32;

template <typename Function> Function resolve(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The CNG entry points, looked up rather than imported so that a system without them gets an answer
// instead of a program that does not start. Hashing goes through a hash object because the one-call
// hash arrived only with Windows 10.
struct Cng {
    decltype(&BCryptOpenAlgorithmProvider) openAlgorithm;
    decltype(&BCryptCloseAlgorithmProvider) closeAlgorithm;
    decltype(&BCryptGetProperty) getProperty;
    decltype(&BCryptCreateHash) createHash;
    decltype(&BCryptHashData) hashData;
    decltype(&BCryptFinishHash) finishHash;
    decltype(&BCryptDestroyHash) destroyHash;
    decltype(&BCryptImportKeyPair) importKeyPair;
    decltype(&BCryptDestroyKey) destroyKey;
    decltype(&BCryptVerifySignature) verifySignature;

    bool complete() const
    {
        return openAlgorithm && closeAlgorithm && getProperty && createHash && hashData && finishHash && destroyHash &&
               importKeyPair && destroyKey && verifySignature;
    }
};

const Cng& cng()
{
    static const Cng functions = [] {
        const HMODULE bcrypt = win32::loadSystemLibrary(L"bcrypt.dll");
        Cng loaded;
        loaded.openAlgorithm = resolve<decltype(loaded.openAlgorithm)>(bcrypt, "BCryptOpenAlgorithmProvider");
        loaded.closeAlgorithm = resolve<decltype(loaded.closeAlgorithm)>(bcrypt, "BCryptCloseAlgorithmProvider");
        loaded.getProperty = resolve<decltype(loaded.getProperty)>(bcrypt, "BCryptGetProperty");
        loaded.createHash = resolve<decltype(loaded.createHash)>(bcrypt, "BCryptCreateHash");
        loaded.hashData = resolve<decltype(loaded.hashData)>(bcrypt, "BCryptHashData");
        loaded.finishHash = resolve<decltype(loaded.finishHash)>(bcrypt, "BCryptFinishHash");
        loaded.destroyHash = resolve<decltype(loaded.destroyHash)>(bcrypt, "BCryptDestroyHash");
        loaded.importKeyPair = resolve<decltype(loaded.importKeyPair)>(bcrypt, "BCryptImportKeyPair");
        loaded.destroyKey = resolve<decltype(loaded.destroyKey)>(bcrypt, "BCryptDestroyKey");
        loaded.verifySignature = resolve<decltype(loaded.verifySignature)>(bcrypt, "BCryptVerifySignature");
        return loaded;
    }();
    return functions;
}

using CngHandle = std::unique_ptr<void, std::function<void(void*)>>;

// CNG reads its input buffers but declares them writable.
PUCHAR input(const std::string& bytes)
{
    return reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
}

CngHandle openAlgorithm(const wchar_t* name)
{
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (cng().openAlgorithm(&algorithm, name, nullptr, 0) != kSuccess)
        return nullptr;
    return CngHandle(algorithm, [](void* handle) { cng().closeAlgorithm(handle, 0); });
}

// Windows 7 wants the memory of the hash object from the caller.
bool sha256(const std::string& message, std::string& digest)
{
    const CngHandle algorithm = openAlgorithm(BCRYPT_SHA256_ALGORITHM);
    DWORD objectBytes = 0;
    ULONG written = 0;
    if (!algorithm || cng().getProperty(algorithm.get(), BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectBytes),
                                        sizeof objectBytes, &written, 0) != kSuccess)
        return false;
    std::vector<UCHAR> object(objectBytes);
    BCRYPT_HASH_HANDLE created = nullptr;
    if (cng().createHash(algorithm.get(), &created, object.data(), objectBytes, nullptr, 0, 0) != kSuccess)
        return false;
    const CngHandle hash(created, [](void* handle) { cng().destroyHash(handle); });
    digest.assign(kDigestBytes, '\0');
    return cng().hashData(hash.get(), input(message), static_cast<ULONG>(message.size()), 0) == kSuccess &&
           cng().finishHash(hash.get(), reinterpret_cast<PUCHAR>(digest.data()), kDigestBytes, 0) == kSuccess;
}

// The key as BCRYPT_ECCPUBLIC_BLOB: the blob header, then X and Y as they follow the 0x04 prefix.
CngHandle importPublicKey(BCRYPT_ALG_HANDLE algorithm, const std::string& publicKey)
{
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, kCoordinateBytes};
    std::vector<UCHAR> blob(sizeof header + 2 * kCoordinateBytes);
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, publicKey.data() + 1, 2 * kCoordinateBytes);
    BCRYPT_KEY_HANDLE key = nullptr;
    if (cng().importKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key, blob.data(),
                            static_cast<ULONG>(blob.size()), 0) != kSuccess)
        return nullptr;
    return CngHandle(key, [](void* handle) { cng().destroyKey(handle); });
}

} // namespace

SignatureCheck verifyWellFormedP256Signature(const std::string& publicKey, const std::string& message,
                                             const std::string& signature)
{
    std::string digest;
    if (!cng().complete() || !sha256(message, digest))
        return SignatureCheck::Unavailable;
    const CngHandle algorithm = openAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!algorithm)
        return SignatureCheck::Unavailable;
    const CngHandle key = importPublicKey(algorithm.get(), publicKey);
    if (!key)
        return SignatureCheck::MalformedKey;
    const NTSTATUS status = cng().verifySignature(key.get(), nullptr, input(digest), kDigestBytes, input(signature),
                                                  static_cast<ULONG>(signature.size()), 0);
    return status == kSuccess ? SignatureCheck::Valid : SignatureCheck::Mismatch;
}

} // namespace platform
