#pragma once

#include <QString>

#include <string_view>

// The core's UTF-8 text as Qt's.
inline QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
