#include "platform/Signature.h"

namespace platform {

SignatureCheck verifyP256Signature(const std::string& publicKey, const std::string& message,
                                   const std::string& signature)
{
    constexpr char kUncompressed = 0x04;
    if (publicKey.size() != kP256PublicKeyBytes || publicKey[0] != kUncompressed)
        return SignatureCheck::MalformedKey;
    if (signature.size() != kP256SignatureBytes)
        return SignatureCheck::MalformedSignature;
    return verifyWellFormedP256Signature(publicKey, message, signature);
}

} // namespace platform
