// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/timer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

// The platform's timer with real time: bounds are loose, since the test machine may be busy.
class tst_timer final : public QObject
{
    Q_OBJECT

private slots:
    void firesAfterItsPeriod_data();
    void firesAfterItsPeriod();
    void periodsDoNotDrift();
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
    platform::Timer timer(nullptr, "timer", period);
    QSignalSpy spy(&timer, &platform::Timer::timeout);
    QElapsedTimer clock;
    clock.start();
    timer.start();
    QVERIFY(timer.isActive());
    QVERIFY(spy.wait(period + 1000));
    // Waits are whole milliseconds, so a deadline counts as met half a millisecond early.
    const double took = double(clock.nsecsElapsed()) / 1e6;
    QVERIFY2(took >= period - 0.5 && took < period + 50, qPrintable(QString::number(took)));
}

// Each period is counted from the end of the one before, not from when the tick was handled: a
// handler that takes 7 ms at every tick would otherwise add 140 ms over these 20 periods. The
// periods are long enough that a busy machine delays ticks without dropping them.
void tst_timer::periodsDoNotDrift()
{
    platform::Timer timer(nullptr, "timer", 50);
    QElapsedTimer clock;
    int ticks = 0;
    double took = 0;
    connect(&timer, &platform::Timer::timeout, [&] {
        if (++ticks == 20) {
            took = double(clock.nsecsElapsed()) / 1e6;
            timer.stop();
        } else {
            QTest::qSleep(7);
        }
    });
    // A signal spy's wait runs the event loop without the pauses of QTRY_*.
    QSignalSpy spy(&timer, &platform::Timer::timeout);
    clock.start();
    timer.start();
    while (timer.isActive() && spy.wait(1000)) { }
    QCOMPARE(ticks, 20);
    QVERIFY2(took >= 999.5 && took < 1070, qPrintable(QString::number(took)));
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

    platform::Timer first(nullptr, "first", 50);
    platform::Timer second(nullptr, "second", 200);
    QElapsedTimer clock;
    double tickHandled = 0;
    double secondStarted = 0;
    double took = 0;
    connect(&first, &platform::Timer::timeout, [&] {
        tickHandled = double(clock.nsecsElapsed()) / 1e6;
        first.stop();
        QTest::qSleep(40); // the handler takes a while before it starts the next timer
        secondStarted = double(clock.nsecsElapsed()) / 1e6;
        second.start();
    });
    connect(&second, &platform::Timer::timeout, [&] {
        took = double(clock.nsecsElapsed()) / 1e6;
        second.stop();
    });
    QSignalSpy spy(&second, &platform::Timer::timeout);
    clock.start();
    first.start();
    QTest::qSleep(holdUp); // holds the event loop up, past the first deadline or not
    QVERIFY(spy.wait(2000));
    if (punctual && tickHandled >= 50 + 5)
        QSKIP(qPrintable(
            QStringLiteral("the machine held the first tick up until %1 ms").arg(tickHandled)));
    const double expected = punctual ? 250 : secondStarted + 200;
    QVERIFY2(took >= expected - 0.5 && took < expected + 30,
             qPrintable(QStringLiteral("%1 ms, expected %2").arg(took).arg(expected)));
}

void tst_timer::lateTicksAreNotMadeUp()
{
    platform::Timer timer(nullptr, "timer", 10);
    QSignalSpy spy(&timer, &platform::Timer::timeout);
    timer.start();
    QTest::qSleep(100); // the event loop is held up for ten periods
    QTest::qWait(15);
    QVERIFY2(spy.size() <= 3, qPrintable(QString::number(spy.size())));
}

void tst_timer::stopsFromItsOwnTimeout()
{
    platform::Timer timer(nullptr, "timer", 10);
    int ticks = 0;
    connect(&timer, &platform::Timer::timeout, [&] {
        ++ticks;
        timer.stop();
    });
    timer.start();
    QTRY_COMPARE(ticks, 1);
    QTest::qWait(50);
    QCOMPARE(ticks, 1);
    QVERIFY(!timer.isActive());
}

QTEST_GUILESS_MAIN(tst_timer)
#include "tst_timer.moc"
