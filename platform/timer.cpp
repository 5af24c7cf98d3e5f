#include "platform/timer.h"

namespace platform {

using namespace std::chrono;

// Waits longer than this stop short of their deadline by more than the kernel may add to them.
constexpr auto longWait = 50ms;
// Waits are whole milliseconds: the deadline counts as met within half of one.
constexpr auto halfWait = 500us;

Timer::Timer(QObject *parent, const char *name, int period)
    : QObject(parent)
    , m_period(period)
{
    setObjectName(QString::fromLatin1(name));
    m_wait.setSingleShot(true);
    m_wait.setTimerType(Qt::PreciseTimer);
    connect(&m_wait, &QTimer::timeout, this, &Timer::waitOver);
}

void Timer::start()
{
    m_deadline = steady_clock::now() + m_period;
    waitForDeadline();
}

void Timer::waitForDeadline()
{
    const auto left = m_deadline - steady_clock::now();
    const auto wait = left > longWait ? left - left / 500 - 2ms : left;
    m_wait.start(std::max(round<milliseconds>(wait), 0ms));
}

void Timer::waitOver()
{
    const auto now = steady_clock::now();
    if (now < m_deadline - halfWait) {
        waitForDeadline();
        return;
    }
    m_deadline += m_period;
    if (m_deadline <= now)
        m_deadline = now + m_period;
    // Waiting on first lets the receiver stop the timer.
    waitForDeadline();
    emit timeout();
}

} // namespace platform
