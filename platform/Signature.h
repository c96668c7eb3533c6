#pragma once

#include <cstddef>
#include <string>

// Checks the signature of a release: ECDSA on the NIST P-256 curve over the SHA-256 of a byte string. Both
// key and signature come in the fixed raw forms every library can produce, so no parser of certificate
// formats stands between the network and the check. The operating system's own cryptography does the work
// (CNG on Windows, libcrypto elsewhere), behind this one function.
namespace platform
{

// An uncompressed point: 0x04, then X and Y, each 32 bytes big-endian.
constexpr std::size_t kP256PublicKeyBytes = 65;
// r then s, each 32 bytes big-endian.
constexpr std::size_t kP256SignatureBytes = 64;

enum class SignatureCheck {
    Valid,
    Mismatch,           // well-formed, but not made with this key over these bytes
    MalformedKey,       // not the 65-byte form above, or not a point of the curve
    MalformedSignature, // not 64 bytes
    Unavailable,        // the system's cryptography could not be loaded
};

SignatureCheck verifyP256Signature(const std::string& publicKey, const std::string& message,
                                   const std::string& signature);

// The backend's half, called only with a key and a signature of the sizes above and the key's 0x04 prefix.
SignatureCheck verifyWellFormedP256Signature(const std::string& publicKey, const std::string& message,
                                             const std::string& signature);

} // namespace platform
