#include "platform/Signature.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Made once with openssl from two throw-away keys: the message below signed with the first.
const std::string kMessage = "Tidewell contract message";
const char* const kSignerKey =
    "040a436227df3697f66bc5eb47e996ed5ea65ce14d370ccebb6ecc8d43b70e9f2952e12eaae4923c10caf34f"
    "750bc1c39339b4a108270f425c974c0f7b1671b17e";
const char* const kOtherKey = "04a54e7e7da0353c88b287a98ee229e326e74fec0335ca0401d99827cfe76398920611015918e597e2cec2cd"
                              "25a3f4aa4f9e8c104f3582b7f5e50f897330d03581";
const char* const kSignature =
    "cb99298a0e1f0b8bf8cfac203ec0029e16a1368b61630a03e14092e7b0a6d38e9b83f1378809e76e07325404"
    "caffeaad04c5da8c313b6e9c5cbf3738a1216885";

std::string fromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t at = 0; at + 1 < hex.size(); at += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16));
    return bytes;
}

std::string flipped(std::string bytes, std::size_t at)
{
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

TEST(SignatureContract, OnlyTheSignersKeyOverTheSameBytesVerifies)
{
    const std::string key = fromHex(kSignerKey), signature = fromHex(kSignature);
    EXPECT_EQ(verifyP256Signature(key, kMessage, signature), SignatureCheck::Valid);
    EXPECT_EQ(verifyP256Signature(fromHex(kOtherKey), kMessage, signature), SignatureCheck::Mismatch);
    EXPECT_EQ(verifyP256Signature(key, flipped(kMessage, 3), signature), SignatureCheck::Mismatch);
    EXPECT_EQ(verifyP256Signature(key, kMessage, flipped(signature, 10)), SignatureCheck::Mismatch);
}

TEST(SignatureContract, MalformedInputIsNamed)
{
    const std::string key = fromHex(kSignerKey), signature = fromHex(kSignature);
    EXPECT_EQ(verifyP256Signature(key.substr(1), kMessage, signature), SignatureCheck::MalformedKey);
    EXPECT_EQ(verifyP256Signature("\x02" + key.substr(1), kMessage, signature), SignatureCheck::MalformedKey);
    EXPECT_EQ(verifyP256Signature(key, kMessage, signature.substr(1)), SignatureCheck::MalformedSignature);
}

// Windows refuses such a key on import; Wine's CNG takes it and only the verification fails.
TEST(SignatureContract, AKeyOffTheCurveNeverVerifiesCallPathOnly)
{
    const SignatureCheck check = verifyP256Signature(flipped(fromHex(kSignerKey), 64), kMessage, fromHex(kSignature));
    EXPECT_TRUE(check == SignatureCheck::MalformedKey || check == SignatureCheck::Mismatch);
}

} // namespace
