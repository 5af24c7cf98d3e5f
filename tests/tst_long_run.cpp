// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercise_probe.h"

#include <QRandomGenerator>
#include <QTest>

using Phase = ExerciseProbe::Phase;

// Ten million ticks with the pace buttons pressed at random moments, checking after every step
// that the pacing's counters and the window's state stay within their bounds.
class tst_long_run final : public QObject
{
    Q_OBJECT

private slots:
    void invariantsHoldOverTenMillionTicks_data();
    void invariantsHoldOverTenMillionTicks();
};

void tst_long_run::invariantsHoldOverTenMillionTicks_data()
{
    QTest::addColumn<quint32>("seed");
    const quint32 seed = qEnvironmentVariableIsSet("LEZOMAT_SEED")
        ? quint32(qEnvironmentVariableIntValue("LEZOMAT_SEED"))
        : QRandomGenerator::global()->generate();
    QTest::addRow("seed %u (rerun with LEZOMAT_SEED=%u)", seed, seed) << seed;
}

void tst_long_run::invariantsHoldOverTenMillionTicks()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);

    SharedState state;
    state.interval = random.bounded(-3000, 3000);
    state.acceleration = random.bounded(-300, 300);
    ExerciseProbe probe(state);

    int itemsThisSeries = 0;
    int series = 0;
    int presses = 0;
    while (probe.ticks < 10'000'000) {
        // About one press in every five seconds of ticks, during pauses too.
        if (random.bounded(500) == 0) {
            ++presses;
            if (random.bounded(2))
                probe.window.Command1_Click();
            else
                probe.window.Command2_Click();
        }
        if (probe.phase() == Phase::Pause) {
            probe.endPause();
            continue;
        }
        const Phase before = probe.phase();
        if (!probe.tick())
            continue;

        const Phase after = probe.phase();
        QVERIFY2(after != Phase::Broken, qPrintable(QString("tick %1").arg(probe.ticks)));
        QVERIFY(state.step_count >= 0 && state.step_count <= 20);
        QVERIFY(state.series_in_block >= 0 && state.series_in_block <= 2);
        itemsThisSeries += before == Phase::Blank && after == Phase::Shown;
        if (after == Phase::Pause) {
            ++series;
            QCOMPARE(itemsThisSeries, 10);
            itemsThisSeries = 0;
            const bool blockEnded = probe.Timer2->interval() == 5500;
            QCOMPARE(blockEnded, series % 3 == 0);
            if (blockEnded)
                QVERIFY2(
                    state.interval >= state.acceleration,
                    qPrintable(QString("%1 < %2").arg(state.interval).arg(state.acceleration)));
        }
    }
    QVERIFY(series > 0);
    QVERIFY(presses > 0);
    qInfo("%d series, %d presses, interval %d ms at the end", series, presses, state.interval);
}

QTEST_MAIN(tst_long_run)
#include "tst_long_run.moc"
