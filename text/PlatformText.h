#pragma once

#include <QString>

#include <string>

// The one crossing between the platform layer's std::wstring and Qt's QString.
inline QString toQString(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

inline std::wstring toWString(const QString& text)
{
    return text.toStdWString();
}
