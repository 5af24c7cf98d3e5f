// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32/win32_platform.h"

namespace platform {

std::wstring wide(std::string_view text)
{
    std::wstring converted(text.size(), L'\0');
    converted.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()),
                                                converted.data(), int(converted.size()))));
    return converted;
}

std::string narrow(std::wstring_view text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string converted(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), converted.data(), size, nullptr,
                        nullptr);
    return converted;
}

} // namespace platform
