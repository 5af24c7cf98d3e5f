// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/items.h"
#include "exercise_probe.h"
#include "recording_program.h"

#include <QTest>
#include <limits>

using Phase = ExerciseProbe::Phase;

constexpr qint32 int32Max = std::numeric_limits<qint32>::max();
constexpr qint32 int32Min = std::numeric_limits<qint32>::min();

enum class PaceButton { SlowDown, SpeedUp };

static void press(ExerciseProbe &probe, PaceButton button)
{
    if (button == PaceButton::SlowDown)
        probe.window.Command2_Click();
    else
        probe.window.Command1_Click();
}

static bool isVowel(const std::string &text)
{
    return std::find(items.begin() + 1, items.begin() + 17, text) != items.begin() + 17;
}

// Brings the next step on the next tick, whatever the interval.
static void stepAtNextTick(ExerciseProbe &probe)
{
    probe.state.elapsed = std::max(elapsedRestart, probe.state.interval / 2);
}

class tst_pacing final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cadence_data();
    void cadence();
    void firstBlockWithDefaults();
    void tenItemsPerSeries_data();
    void tenItemsPerSeries();
    void pausesAndSeriesNumbers();
    void blockEnd_data();
    void blockEnd();
    void speedUpDuringFirstSeries();
    void speedUpBelowZero();
    void buttonsReplaceTypedAcceleration_data();
    void buttonsReplaceTypedAcceleration();
    void buttonsDuringPause();
    void buttonsHeldAtLimits_data();
    void buttonsHeldAtLimits();

private:
    SharedState m_state;
};

void tst_pacing::init()
{
    m_state = SharedState();
}

void tst_pacing::cadence_data()
{
    QTest::addColumn<qint32>("interval");
    QTest::addColumn<int>("ticksPerStep");

    QTest::newRow("2000: 1001 > 1000") << 2000 << 100;
    QTest::newRow("2001: 1001 > 1000.5") << 2001 << 100;
    QTest::newRow("2002: 1001 is not > 1001") << 2002 << 101;
    QTest::newRow("1900") << 1900 << 95;
    QTest::newRow("23") << 23 << 2;
    QTest::newRow("22: 11 is not > 11") << 22 << 2;
    QTest::newRow("21: 11 > 10.5") << 21 << 1;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("-1") << -1 << 1;
    QTest::newRow("-500") << -500 << 1;
    QTest::newRow("smallest") << int32Min << 1;
}

void tst_pacing::cadence()
{
    QFETCH(qint32, interval);
    QFETCH(int, ticksPerStep);

    m_state.interval = interval;
    ExerciseProbe probe(m_state);
    for (int step = 1; step <= 25; ++step) {
        QCOMPARE(probe.ticksToNextStep(), ticksPerStep);
        if (probe.phase() == Phase::Pause)
            probe.endPause();
    }
}

void tst_pacing::firstBlockWithDefaults()
{
    ExerciseProbe probe(m_state);
    QCOMPARE(probe.phase(), Phase::Blank);
    QVERIFY(probe.Label1->text().empty());
    QVERIFY(probe.Label3->text().empty());

    for (int series = 1; series <= 3; ++series) {
        const std::string seriesNumber = std::to_string(series);
        for (int step = 1; step <= 20; ++step) {
            QCOMPARE(probe.ticksToNextStep(), 100);
            QCOMPARE(probe.Label1->text(), "2000");
            QCOMPARE(probe.Label3->text(), seriesNumber);
            QCOMPARE(probe.state.step_count, step);
            QCOMPARE(probe.phase(), step % 2 ? Phase::Shown : Phase::Blank);
            QVERIFY(isVowel(probe.txt_string->text()));
        }
        QCOMPARE(probe.ticksToNextStep(), 100);
        QCOMPARE(probe.phase(), Phase::Pause);
        QCOMPARE(probe.Label1->text(), "2000");
        QCOMPARE(probe.Label3->text(), seriesNumber);
        QCOMPARE(probe.state.step_count, 0);
        QCOMPARE(probe.Timer2->interval(), series == 3 ? 5500 : 3500);
        if (series == 1)
            QCOMPARE(probe.ticks, 2100);
        probe.endPause();
        QCOMPARE(probe.phase(), Phase::Blank);
    }

    QCOMPARE(probe.clock, 75500);
    QCOMPARE(probe.state.interval, 1900);
    QCOMPARE(probe.state.series_in_block, 0);

    // The next series starts with a full blank half interval, at the new pace.
    QCOMPARE(probe.ticksToNextStep(), 95);
    QCOMPARE(probe.Label1->text(), "1900");
    QCOMPARE(probe.Label3->text(), "1");
}

void tst_pacing::tenItemsPerSeries_data()
{
    QTest::addColumn<qint32>("interval");
    QTest::newRow("default") << 2000;
    QTest::newRow("short") << 300;
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -700;
}

void tst_pacing::tenItemsPerSeries()
{
    QFETCH(qint32, interval);

    m_state.interval = interval;
    ExerciseProbe probe(m_state);
    for (int series = 1; series <= 7; ++series) {
        int shown = 0;
        Phase previous = probe.phase();
        while (probe.phase() != Phase::Pause) {
            probe.tick();
            if (probe.phase() == Phase::Shown && previous == Phase::Blank)
                ++shown;
            previous = probe.phase();
        }
        QCOMPARE(shown, 10);
        probe.endPause();
    }
}

void tst_pacing::pausesAndSeriesNumbers()
{
    m_state.interval = 0;
    ExerciseProbe probe(m_state);
    QStringList seriesNumbers;
    QList<int> pauses;
    for (int series = 0; series < 9; ++series) {
        while (probe.phase() != Phase::Pause)
            probe.tick();
        seriesNumbers.append(QString::fromStdString(probe.Label3->text()));
        pauses.append(probe.Timer2->interval());
        probe.endPause();
    }
    QCOMPARE(seriesNumbers, QStringList({"1", "2", "3", "1", "2", "3", "1", "2", "3"}));
    QCOMPARE(pauses, QList<int>({3500, 3500, 5500, 3500, 3500, 5500, 3500, 3500, 5500}));
}

void tst_pacing::blockEnd_data()
{
    QTest::addColumn<qint32>("interval");
    QTest::addColumn<qint32>("acceleration");
    QTest::addColumn<qint32>("newInterval");

    QTest::newRow("defaults") << 2000 << 100 << 1900;
    QTest::newRow("150 with 100 stops at 100") << 150 << 100 << 100;
    QTest::newRow("200 with 100 reaches 100") << 200 << 100 << 100;
    QTest::newRow("below the acceleration after speed-ups") << 50 << 100 << 100;
    QTest::newRow("acceleration 0 keeps 0") << 0 << 0 << 0;
    QTest::newRow("acceleration 0 keeps 700") << 700 << 0 << 700;
    QTest::newRow("acceleration 0 lifts -300 to 0") << -300 << 0 << 0;
    QTest::newRow("negative acceleration grows") << 1000 << -100 << 1100;
    QTest::newRow("-1000 with -100 gives -100") << -1000 << -100 << -100;
    QTest::newRow("growth held at the largest") << int32Max - 50 << -100 << int32Max;
    QTest::newRow("0 minus the smallest held") << 0 << int32Min << int32Max;
    QTest::newRow("shrinking held at the smallest") << int32Min + 50 << 100 << 100;
    QTest::newRow("largest acceleration") << 0 << int32Max << int32Max;
}

void tst_pacing::blockEnd()
{
    QFETCH(qint32, interval);
    QFETCH(qint32, acceleration);
    QFETCH(qint32, newInterval);

    RecordingProgram program;
    m_state.interval = interval;
    m_state.acceleration = acceleration;
    m_state.series_in_block = 2;
    m_state.step_count = 20;
    ExerciseProbe probe(m_state);
    stepAtNextTick(probe);
    QVERIFY(probe.tick());

    QCOMPARE(probe.phase(), Phase::Pause);
    QCOMPARE(probe.Timer2->interval(), 5500);
    QCOMPARE(probe.state.interval, newInterval);
    QCOMPARE(probe.state.acceleration, acceleration);
    QCOMPARE(probe.state.series_in_block, 0);
    QCOMPARE(probe.Label1->text(), std::to_string(interval));
    QVERIFY(program.ends.isEmpty());
    QVERIFY(program.errors.isEmpty());
}

void tst_pacing::speedUpDuringFirstSeries()
{
    ExerciseProbe probe(m_state);
    for (int tick = 0; tick < 150; ++tick)
        probe.tick();
    QCOMPARE(probe.state.elapsed, 501);

    probe.window.Command1_Click();
    QCOMPARE(probe.state.interval, 1900);
    QCOMPARE(probe.state.acceleration, 100);
    QCOMPARE(probe.state.elapsed, 501);
    QCOMPARE(probe.state.step_count, 1);
    QCOMPARE(probe.Label1->text(), "2000");
    QCOMPARE(probe.phase(), Phase::Shown);

    // The half interval under way ends once elapsed passes 950.
    QCOMPARE(probe.ticksToNextStep(), 45);
    QCOMPARE(probe.ticks, 195);
    QCOMPARE(probe.Label1->text(), "1900");
    QCOMPARE(probe.ticksToNextStep(), 95);
}

void tst_pacing::speedUpBelowZero()
{
    ExerciseProbe probe(m_state);
    for (int press = 0; press < 25; ++press)
        probe.window.Command1_Click();
    QCOMPARE(probe.state.interval, -500);

    for (int series = 1; series <= 3; ++series) {
        for (int step = 1; step <= 21; ++step)
            QCOMPARE(probe.ticksToNextStep(), 1);
        QCOMPARE(probe.phase(), Phase::Pause);
        QCOMPARE(probe.state.interval, series < 3 ? -500 : 100);
        probe.endPause();
    }
}

void tst_pacing::buttonsReplaceTypedAcceleration_data()
{
    QTest::addColumn<PaceButton>("button");
    QTest::addColumn<qint32>("afterPress");
    QTest::addColumn<qint32>("afterBlock");

    QTest::newRow("slow down") << PaceButton::SlowDown << 2100 << 2000;
    QTest::newRow("speed up") << PaceButton::SpeedUp << 1900 << 1800;
}

void tst_pacing::buttonsReplaceTypedAcceleration()
{
    QFETCH(PaceButton, button);
    QFETCH(qint32, afterPress);
    QFETCH(qint32, afterBlock);

    m_state.acceleration = 250;
    ExerciseProbe probe(m_state);
    press(probe, button);
    QCOMPARE(probe.state.interval, afterPress);
    QCOMPARE(probe.state.acceleration, 100);

    for (int step = 0; step < 3 * 21; ++step) {
        probe.ticksToNextStep();
        if (probe.phase() == Phase::Pause)
            probe.endPause();
    }
    QCOMPARE(probe.state.series_in_block, 0);
    QCOMPARE(probe.state.interval, afterBlock);
}

void tst_pacing::buttonsDuringPause()
{
    m_state.interval = 0;
    ExerciseProbe probe(m_state);
    while (probe.phase() != Phase::Pause)
        probe.tick();

    probe.window.Command2_Click();
    probe.window.Command2_Click();
    probe.window.Command1_Click();
    QCOMPARE(probe.state.interval, 100);
    QCOMPARE(probe.phase(), Phase::Pause);
    QCOMPARE(probe.Timer2->interval(), 3500);
    QCOMPARE(probe.state.step_count, 0);
    QCOMPARE(probe.Label1->text(), "0");

    probe.endPause();
    QCOMPARE(probe.ticksToNextStep(), 5);
    QCOMPARE(probe.Label1->text(), "100");
}

void tst_pacing::buttonsHeldAtLimits_data()
{
    QTest::addColumn<qint32>("interval");
    QTest::addColumn<PaceButton>("button");
    QTest::addColumn<qint32>("newInterval");

    QTest::newRow("slow down near the largest")
        << int32Max - 50 << PaceButton::SlowDown << int32Max;
    QTest::newRow("slow down at the largest") << int32Max << PaceButton::SlowDown << int32Max;
    QTest::newRow("speed up near the smallest") << int32Min + 50 << PaceButton::SpeedUp << int32Min;
    QTest::newRow("speed up at the smallest") << int32Min << PaceButton::SpeedUp << int32Min;
    QTest::newRow("speed up from the largest") << int32Max << PaceButton::SpeedUp << int32Max - 100;
}

void tst_pacing::buttonsHeldAtLimits()
{
    QFETCH(qint32, interval);
    QFETCH(PaceButton, button);
    QFETCH(qint32, newInterval);

    RecordingProgram program;
    m_state.interval = interval;
    ExerciseProbe probe(m_state);
    press(probe, button);
    QCOMPARE(probe.state.interval, newInterval);
    QVERIFY(program.ends.isEmpty());
    QVERIFY(program.errors.isEmpty());

    // The exercise goes on at the held pace.
    stepAtNextTick(probe);
    QVERIFY(probe.tick());
    QCOMPARE(probe.Label1->text(), std::to_string(newInterval));
}

QTEST_MAIN(tst_pacing)
#include "tst_pacing.moc"
