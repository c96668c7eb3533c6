#pragma once

#include <cstdint>

// Every platform operation reports the Win32 error code of the call it mirrors. The values are the
// Win32 ones so that both backends, and the code above them, speak the same numbers.
namespace platform {

using Status = std::uint32_t;

constexpr Status ErrorSuccess = 0;
constexpr Status ErrorFileNotFound = 2;
constexpr Status ErrorPathNotFound = 3;
constexpr Status ErrorAccessDenied = 5;
constexpr Status ErrorInvalidHandle = 6;
constexpr Status ErrorNotEnoughMemory = 8;
constexpr Status ErrorInvalidData = 13;
constexpr Status ErrorNotReady = 21;
constexpr Status ErrorSharingViolation = 32;
constexpr Status ErrorNotSupported = 50;
constexpr Status ErrorFileExists = 80;
constexpr Status ErrorInvalidParameter = 87;
constexpr Status ErrorCallNotImplemented = 120;
constexpr Status ErrorInsufficientBuffer = 122;
constexpr Status ErrorDirNotEmpty = 145;
constexpr Status ErrorBadPathname = 161;
constexpr Status ErrorAlreadyExists = 183;
constexpr Status ErrorNoData = 232;
constexpr Status ErrorMoreData = 234;
constexpr Status WaitTimeout = 258;
constexpr Status ErrorNoMoreItems = 259;
constexpr Status ErrorCantAccessFile = 1920;
constexpr Status ErrorDependentServicesRunning = 1051;
constexpr Status RpcServerUnavailable = 1722;
constexpr Status ErrorServiceRequestTimeout = 1053;
constexpr Status ErrorServiceAlreadyRunning = 1056;
constexpr Status ErrorServiceDisabled = 1058;
constexpr Status ErrorServiceDoesNotExist = 1060;
constexpr Status ErrorServiceCannotAcceptCtrl = 1061;
constexpr Status ErrorServiceNotActive = 1062;
constexpr Status ErrorNotFound = 1168;
constexpr Status ErrorNoToken = 1008;
constexpr Status ErrorPrivilegeNotHeld = 1314;

inline bool succeeded(Status status) { return status == ErrorSuccess; }

} // namespace platform
