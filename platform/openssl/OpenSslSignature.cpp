#include "platform/Signature.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <memory>

namespace platform {

namespace {

template <typename T, void (*release)(T*)> struct Release {
    void operator()(T* object) const { release(object); }
};

template <typename T, void (*release)(T*)> using Owned = std::unique_ptr<T, Release<T, release>>;

const unsigned char* bytes(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.data());
}

// Importing decodes the point, and decoding refuses a point that is not on the curve.
Owned<EVP_PKEY, EVP_PKEY_free> importKey(const std::string& publicKey)
{
    char group[] = "prime256v1";
    std::string point = publicKey;
    OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, point.data(), point.size()),
        OSSL_PARAM_construct_end(),
    };
    const Owned<EVP_PKEY_CTX, EVP_PKEY_CTX_free> context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    EVP_PKEY* key = nullptr;
    if (!context || EVP_PKEY_fromdata_init(context.get()) <= 0 ||
        EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, params) <= 0)
        return nullptr;
    return Owned<EVP_PKEY, EVP_PKEY_free>(key);
}

// libcrypto takes ECDSA signatures in DER only.
std::string toDer(const std::string& signature)
{
    const std::size_t half = kP256SignatureBytes / 2;
    const Owned<ECDSA_SIG, ECDSA_SIG_free> parts(ECDSA_SIG_new());
    BIGNUM* r = BN_bin2bn(bytes(signature), half, nullptr);
    BIGNUM* s = BN_bin2bn(bytes(signature) + half, half, nullptr);
    if (!parts || !r || !s || !ECDSA_SIG_set0(parts.get(), r, s)) {
        BN_free(r);
        BN_free(s);
        return {};
    }
    unsigned char* der = nullptr;
    const int length = i2d_ECDSA_SIG(parts.get(), &der);
    if (length <= 0)
        return {};
    std::string encoded(reinterpret_cast<const char*>(der), length);
    OPENSSL_free(der);
    return encoded;
}

} // namespace

SignatureCheck verifyWellFormedP256Signature(const std::string& publicKey, const std::string& message,
                                             const std::string& signature)
{
    const Owned<EVP_PKEY, EVP_PKEY_free> key = importKey(publicKey);
    if (!key)
        return SignatureCheck::MalformedKey;
    const std::string der = toDer(signature);
    const Owned<EVP_MD_CTX, EVP_MD_CTX_free> digest(EVP_MD_CTX_new());
    if (der.empty() || !digest || EVP_DigestVerifyInit(digest.get(), nullptr, EVP_sha256(), nullptr, key.get()) <= 0)
        return SignatureCheck::Unavailable;
    const int verified = EVP_DigestVerify(digest.get(), bytes(der), der.size(), bytes(message), message.size());
    return verified == 1 ? SignatureCheck::Valid : SignatureCheck::Mismatch;
}

} // namespace platform
