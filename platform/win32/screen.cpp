// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/screen.h"

#include "platform/win32/win32_platform.h"

namespace platform {

// A power request for the display, which powercfg /requests shows with its reason; where the
// system offers none (Wine 8 answers error 120), the user-interface thread's execution state.
struct ScreenAwake::Native
{
    KernelHandle request;
};

static KernelHandle displayRequest()
{
    static wchar_t reason[] = L"Er loopt een Lezomat-oefening";
    REASON_CONTEXT context {};
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = reason;
    KernelHandle request(PowerCreateRequest(&context));
    if (request.get() == INVALID_HANDLE_VALUE)
        request.release();
    if (!request || !PowerSetRequest(request.get(), PowerRequestDisplayRequired))
        return nullptr;
    return request;
}

ScreenAwake::ScreenAwake()
    : m_native(std::make_unique<Native>(Native {displayRequest()}))
{
    if (!m_native->request)
        SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
}

ScreenAwake::~ScreenAwake()
{
    if (m_native->request)
        PowerClearRequest(m_native->request.get(), PowerRequestDisplayRequired);
    else
        SetThreadExecutionState(ES_CONTINUOUS);
}

} // namespace platform
