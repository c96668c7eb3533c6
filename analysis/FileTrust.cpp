#include "analysis/FileTrust.h"

#include "text/PlatformText.h"

namespace {

// TRUST_E_NOSIGNATURE, TRUST_E_SUBJECT_FORM_UNKNOWN, TRUST_E_PROVIDER_UNKNOWN: there is no signature.
// TRUST_E_BAD_DIGEST, CERT_E_REVOKED, TRUST_E_EXPLICIT_DISTRUST: there is one, and it was checked and is bad.
const std::uint32_t kUnsignedAnswers[] = {0x800B0100, 0x800B0003, 0x800B0001, 0x80096010, 0x800B010C, 0x800B0111};

using Verdict = FileTrust::Verdict;

// A file that is not there (or is a folder) is never trusted; a check that failed otherwise says nothing.
Verdict verdictOf(platform::Status status, std::int32_t trustResult)
{
    if (status == platform::ErrorFileNotFound || status == platform::ErrorPathNotFound)
        return Verdict::Unsigned;
    return platform::succeeded(status) ? FileTrust::fromTrustResult(trustResult) : Verdict::Unknown;
}

} // namespace

FileTrust::FileTrust(const MachineQuery& machine)
    : machine_(machine)
{
}

Verdict FileTrust::verdict(const QString& path) const
{
    if (path.isEmpty() || path.contains(QLatin1Char('%')) || !machine_.isFile(path))
        return Verdict::Unsigned;
    platform::Security& security = machine_.platform().security;
    const std::wstring file = toWString(machine_.nativePath(path));
    std::int32_t trustResult = -1;
    const platform::Status ownStatus = security.verifyFile(file, trustResult);
    const Verdict own = verdictOf(ownStatus, trustResult);
    if (own == Verdict::Signed)
        return own;
    trustResult = -1;
    const platform::Status catalogStatus = security.verifyCatalog(file, trustResult);
    const Verdict catalog = verdictOf(catalogStatus, trustResult);
    if (catalog == Verdict::Signed)
        return catalog;
    return own == Verdict::Unknown || catalog == Verdict::Unknown ? Verdict::Unknown : Verdict::Unsigned;
}

Verdict FileTrust::fromTrustResult(std::int32_t trustResult)
{
    if (trustResult == 0)
        return Verdict::Signed;
    for (std::uint32_t answer : kUnsignedAnswers) {
        if (static_cast<std::uint32_t>(trustResult) == answer)
            return Verdict::Unsigned;
    }
    return Verdict::Unknown;
}
