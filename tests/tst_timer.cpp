// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/timer.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <vector>

namespace {

double milliseconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// Runs the event loop until the condition holds or the time is up.
bool runUntil(const std::function<bool()> &condition, int timeout)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && !clock.hasExpired(timeout))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return condition();
}

// A busy machine can hold any one run up; a faulty timer is out of bounds every time.
constexpr int attempts = 3;

} // namespace

// The platform's timer with real time.
class tst_timer final : public QObject
{
    Q_OBJECT

private slots:
    void firesAfterItsPeriod_data();
    void firesAfterItsPeriod();
    void periodsDoNotDrift();
    void lateTickLeavesTheScheduleAlone();
    void chainedTimersKeepTheSchedule_data();
    void chainedTimersKeepTheSchedule();
    void lateTicksAreNotMadeUp();
    void stopsFromItsOwnTimeout();
};

void tst_timer::firesAfterItsPeriod_data()
{
    QTest::addColumn<int>("period");
    QTest::newRow("a tick") << 10;
    QTest::newRow("a long wait") << 700;
}

void tst_timer::firesAfterItsPeriod()
{
    QFETCH(int, period);
    double took = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        QElapsedTimer clock;
        platform::Timer timer("timer", period, [&] { took = milliseconds(clock); });
        took = 0;
        clock.start();
        timer.start();
        QVERIFY(timer.isActive());
        QVERIFY(runUntil([&] { return took > 0; }, period + 1000));
        // Waits are whole milliseconds, so a deadline counts as met half a millisecond early.
        QVERIFY2(took >= period - 0.5, qPrintable(QString::number(took)));
        if (took < period + 50)
            return;
    }
    QFAIL(qPrintable(QStringLiteral("%1 ms late in every attempt").arg(took - period)));
}

// Each period is counted from the end of the one before, not from when the tick was handled: a
// handler that takes 20 ms would otherwise make every period 70 ms. A stall of the machine makes
// one period long and drops a tick, after which the periods are 50 ms again; so the typical
// period, not the total time, tells drift from a stall. A busy machine scatters the periods by
// tens of milliseconds around 50 ms; a drifting timer is out of bounds in every attempt.
void tst_timer::periodsDoNotDrift()
{
    QString outOfBounds;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::vector<double> ticks;
        QElapsedTimer clock;
        platform::Timer timer("timer", 50, [&] {
            ticks.push_back(milliseconds(clock));
            QTest::qSleep(20);
        });
        clock.start();
        timer.start();
        QVERIFY(runUntil([&] { return ticks.size() == 31; }, 10000));
        timer.stop();

        std::vector<double> periods;
        for (size_t tick = 1; tick < ticks.size(); ++tick)
            periods.push_back(ticks[tick] - ticks[tick - 1]);
        std::sort(periods.begin(), periods.end());
        const double median = periods[periods.size() / 2];
        if (median >= 45 && median < 60)
            return;
        outOfBounds = QStringLiteral("median period %1 ms of:").arg(median);
        for (double period : periods)
            outOfBounds += u' ' + QString::number(period, 'f', 1);
    }
    QFAIL(qPrintable(outOfBounds));
}

// A tick handled late, but within its period, leaves the ticks after it on their schedule: the
// next one is due a period after the late tick's deadline, not a period after the late tick was
// handled. Held up 20 ms past the first deadline, at 50 ms, the second tick comes at 100 ms, not
// at 120 ms. The bounds allow 15 ms for a busy machine; a longer hold-up drops the first tick
// instead, and that attempt is tried again.
void tst_timer::lateTickLeavesTheScheduleAlone()
{
    QString outOfBounds = QStringLiteral("the first tick was dropped in every attempt");
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::vector<double> ticks;
        QElapsedTimer clock;
        platform::Timer timer("timer", 50, [&] { ticks.push_back(milliseconds(clock)); });
        clock.start();
        timer.start();
        QTest::qSleep(70); // the event loop is held up past the first deadline
        QVERIFY(runUntil([&] { return ticks.size() == 2; }, 2000));
        timer.stop();
        if (ticks[0] >= 100)
            continue;
        QVERIFY2(ticks[1] >= 100 - 0.5, qPrintable(QString::number(ticks[1])));
        if (ticks[1] < 100 + 15)
            return;
        outOfBounds = QStringLiteral("the second tick at %1 ms, the first at %2 ms")
                          .arg(ticks[1])
                          .arg(ticks[0]);
    }
    QFAIL(qPrintable(outOfBounds));
}

// A timer started from a punctual tick counts from that tick's deadline, not from when its slow
// handler got round to starting it, 40 ms later; after a late tick it counts from its start.
// The bounds allow 30 ms for a busy machine, less than the 40 ms that tell the two apart.
void tst_timer::chainedTimersKeepTheSchedule_data()
{
    QTest::addColumn<int>("holdUp");
    QTest::addColumn<bool>("punctual");
    // The first tick is due at 50 ms.
    QTest::newRow("punctual tick: due at 50 ms, then 200 ms") << 0 << true;
    QTest::newRow("tick 20 ms late: from the start, then 200 ms") << 70 << false;
}

void tst_timer::chainedTimersKeepTheSchedule()
{
    QFETCH(int, holdUp);
    QFETCH(bool, punctual);

    QString outOfBounds;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        QElapsedTimer clock;
        double tickHandled = 0;
        double secondStarted = 0;
        double took = 0;
        platform::Timer second("second", 200, [&] { took = milliseconds(clock); });
        platform::Timer *firstTimer = nullptr;
        platform::Timer first("first", 50, [&] {
            tickHandled = milliseconds(clock);
            firstTimer->stop();
            QTest::qSleep(40); // the handler takes a while before it starts the next timer
            secondStarted = milliseconds(clock);
            second.start();
        });
        firstTimer = &first;
        clock.start();
        first.start();
        QTest::qSleep(holdUp); // holds the event loop up, past the first deadline or not
        QVERIFY(runUntil([&] { return took > 0; }, 2000));
        second.stop();
        if (punctual && tickHandled >= 50 + 5)
            continue; // the machine held the first tick up
        const double expected = punctual ? 250 : secondStarted + 200;
        QVERIFY2(took >= expected - 0.5,
                 qPrintable(QStringLiteral("%1 ms, expected %2").arg(took).arg(expected)));
        if (took < expected + 30)
            return;
        outOfBounds = QStringLiteral("%1 ms, expected %2").arg(took).arg(expected);
    }
    if (outOfBounds.isEmpty())
        QSKIP("the machine held the first tick up in every attempt");
    QFAIL(qPrintable(outOfBounds));
}

void tst_timer::lateTicksAreNotMadeUp()
{
    int ticks = 0;
    platform::Timer timer("timer", 10, [&] { ++ticks; });
    timer.start();
    QTest::qSleep(100); // the event loop is held up for ten periods
    QTest::qWait(15);
    QVERIFY2(ticks <= 3, qPrintable(QString::number(ticks)));
}

void tst_timer::stopsFromItsOwnTimeout()
{
    int ticks = 0;
    platform::Timer *self = nullptr;
    platform::Timer timer("timer", 10, [&] {
        ++ticks;
        self->stop();
    });
    self = &timer;
    timer.start();
    QTRY_COMPARE(ticks, 1);
    QTest::qWait(50);
    QCOMPARE(ticks, 1);
    QVERIFY(!timer.isActive());
}

QTEST_GUILESS_MAIN(tst_timer)
#include "tst_timer.moc"
