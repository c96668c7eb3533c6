#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace platform::win32 {

// Owns a BSTR and frees it with SysFreeString.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }

    BSTR get() const { return text_; }
    BSTR* put()
    {
        SysFreeString(text_);
        text_ = nullptr;
        return &text_;
    }
    std::wstring text() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : std::wstring(); }

private:
    BSTR text_ = nullptr;
};

} // namespace platform::win32
