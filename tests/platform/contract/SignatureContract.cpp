#include "platform/Signature.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

// Made once with openssl from two throw-away keys: the message below signed with the first.
const std::string kMessage = "Tidewell contract message";
const char* const kSignerKey =
    "BApDYiffNpf2a8XrR+mW7V6mXOFNNwzOu27MjUO3Dp8pUuEuquSSPBDK8091C8HDkzm0oQgnD0Jcl0wPexZxsX4=";
const char* const kOtherKey =
    "BKVOfn2gNTyIsoepjuIp4ybnT+wDNcoEAdmYJ8/nY5iSBhEBWRjll+LOws0lo/SqT56MEE81grf15Q+JczDQNYE=";
const char* const kSignature =
    "y5kpig4fC4v4z6wgPsACnhahNothYwoD4UCS57Cm046bg/E3iAnnbgcyVATK/+qtBMXajDE7bpxcvzc4oSFohQ==";

std::string fromBase64(const std::string& text)
{
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    unsigned bits = 0, count = 0;
    for (char c : text) {
        if (c == '=')
            break;
        bits = (bits << 6) | static_cast<unsigned>(alphabet.find(c));
        if ((count += 6) >= 8)
            bytes += static_cast<char>((bits >> (count -= 8)) & 0xFF);
    }
    return bytes;
}

std::string flipped(std::string bytes, std::size_t at)
{
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

TEST(SignatureContract, OnlyTheSignersKeyOverTheSameBytesVerifies)
{
    const std::string key = fromBase64(kSignerKey), signature = fromBase64(kSignature);
    EXPECT_EQ(verifyP256Signature(key, kMessage, signature), SignatureCheck::Valid);
    EXPECT_EQ(verifyP256Signature(fromBase64(kOtherKey), kMessage, signature), SignatureCheck::Mismatch);
    EXPECT_EQ(verifyP256Signature(key, flipped(kMessage, 3), signature), SignatureCheck::Mismatch);
    EXPECT_EQ(verifyP256Signature(key, kMessage + " ", signature), SignatureCheck::Mismatch);
    EXPECT_EQ(verifyP256Signature(key, kMessage, flipped(signature, 10)), SignatureCheck::Mismatch);
    EXPECT_EQ(verifyP256Signature(key, kMessage, flipped(signature, 50)), SignatureCheck::Mismatch);
}

TEST(SignatureContract, MalformedInputIsNamed)
{
    const std::string key = fromBase64(kSignerKey), signature = fromBase64(kSignature);
    EXPECT_EQ(verifyP256Signature(key.substr(1), kMessage, signature), SignatureCheck::MalformedKey);
    EXPECT_EQ(verifyP256Signature("\x02" + key.substr(1), kMessage, signature), SignatureCheck::MalformedKey);
    EXPECT_EQ(verifyP256Signature(flipped(key, 64), kMessage, signature), SignatureCheck::MalformedKey);
    EXPECT_EQ(verifyP256Signature(key, kMessage, signature.substr(1)), SignatureCheck::MalformedSignature);
    EXPECT_EQ(verifyP256Signature(key, kMessage, std::string()), SignatureCheck::MalformedSignature);
}

} // namespace
