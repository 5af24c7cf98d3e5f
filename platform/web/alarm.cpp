// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/web/web_platform.h"

namespace platform {

// An alarm is a timeout of the page's, which queues an event when it is over.
struct Alarm::Native
{
    std::function<void()> ring;
    int number = 0;
    bool set = false;
};

static Numbered<Alarm::Native> alarms;

Alarm::Alarm(std::function<void()> ring)
    : m_native(std::make_unique<Native>(Native {std::move(ring)}))
{
    m_native->number = alarms.add(m_native.get());
}

Alarm::~Alarm()
{
    cancelPageAlarm(m_native->number);
    alarms.remove(m_native->number);
}

void Alarm::set(std::chrono::milliseconds wait)
{
    m_native->set = true;
    setPageAlarm(m_native->number, int(wait.count()));
}

void Alarm::cancel()
{
    m_native->set = false;
    cancelPageAlarm(m_native->number);
}

bool Alarm::isSet() const
{
    return m_native->set;
}

void ringAlarm(int number)
{
    if (Alarm::Native *alarm = alarms.find(number); alarm && alarm->set) {
        alarm->set = false;
        alarm->ring();
    }
}

} // namespace platform
