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

// Each period is counted from the end of the one before, not from when the tick was handled.
void tst_timer::periodsDoNotDrift()
{
    platform::Timer timer(nullptr, "timer", 10);
    QElapsedTimer clock;
    int ticks = 0;
    double took = 0;
    connect(&timer, &platform::Timer::timeout, [&] {
        if (++ticks == 100) {
            took = double(clock.nsecsElapsed()) / 1e6;
            timer.stop();
        } else if (ticks % 10 == 0) {
            QTest::qSleep(7); // a slow handler now and then
        }
    });
    clock.start();
    timer.start();
    QTRY_VERIFY_WITH_TIMEOUT(!timer.isActive(), 5000);
    QVERIFY2(took >= 999.5 && took < 1030, qPrintable(QString::number(took)));
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
