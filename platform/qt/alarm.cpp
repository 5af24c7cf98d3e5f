// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/toolkit.h"

#include <QTimer>

namespace platform {

struct Alarm::Native
{
    QTimer timer;
};

Alarm::Alarm(std::function<void()> ring)
    : m_native(std::make_unique<Native>())
{
    m_native->timer.setSingleShot(true);
    m_native->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_native->timer, &QTimer::timeout, std::move(ring));
}

Alarm::~Alarm() = default;

void Alarm::set(std::chrono::milliseconds wait)
{
    m_native->timer.start(wait);
}

void Alarm::cancel()
{
    m_native->timer.stop();
}

bool Alarm::isSet() const
{
    return m_native->timer.isActive();
}

} // namespace platform
