#pragma once

#include "platform/Status.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::win32 {

// The answers Win32 gives when a caller's buffer is too small; each call reports the size it needs.
inline bool bufferTooSmall(Status status)
{
    return status == ERROR_MORE_DATA || status == ERROR_INSUFFICIENT_BUFFER || status == ERROR_BUFFER_OVERFLOW;
}

// The size-query-then-fill pattern of the Win32 API, in one place. `call(data, bytes)` makes the API call
// with `bytes` bytes at `data` and leaves in `bytes` the size the API reported. It is made once without a
// buffer to learn the size, then with a buffer of that size, again while the size keeps growing between
// the two (another process may be writing). A size over `limit` ends the loop with the API's own "too
// small" answer; `needed` holds the last size the API reported, the size of the data after a success.
template <typename Call>
Status queryThenFill(std::vector<std::uint8_t>& buffer, DWORD limit, DWORD& needed, Call&& call)
{
    constexpr int rounds = 4;
    buffer.clear();
    DWORD bytes = 0;
    Status status = call(nullptr, bytes);
    for (int round = 0; round < rounds; ++round) {
        needed = bytes;
        if (status != ERROR_SUCCESS && !bufferTooSmall(status))
            return status;
        if (status == ERROR_SUCCESS && (bytes == 0 || !buffer.empty()))
            return status;
        if (bytes > limit)
            return bufferTooSmall(status) ? status : static_cast<Status>(ERROR_MORE_DATA);
        buffer.assign(bytes, 0);
        status = call(buffer.empty() ? nullptr : buffer.data(), bytes);
    }
    needed = bytes;
    return status;
}

} // namespace platform::win32
