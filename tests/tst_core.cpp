// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/items.h"
#include "core/shared_state.h"
#include "recording_program.h"

#include <QTest>
#include <limits>

constexpr qint32 int32Max = std::numeric_limits<qint32>::max();
constexpr qint32 int32Min = std::numeric_limits<qint32>::min();

class tst_core final : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void vowelTable();
    void spareEntries();
    void itemOutsideTableIsFatal_data();
    void itemOutsideTableIsFatal();
    void clampToInt32_data();
    void clampToInt32();
};

void tst_core::defaults()
{
    const SharedState state;
    QCOMPARE(state.interval, 2000);
    QCOMPARE(state.acceleration, 100);
    QCOMPARE(state.elapsed, 1);
    QCOMPARE(state.step_count, 0);
    QCOMPARE(state.series_in_block, 0);
    QCOMPARE(state.item_count, 16);
}

void tst_core::vowelTable()
{
    const QStringList vowels = {"a",  "e",  "i",  "o",  "u",  "ui", "eu", "aa",
                                "oo", "ie", "ei", "au", "ee", "uu", "ij", "ou"};
    QCOMPARE(items.size(), 21u);
    QVERIFY(items[0].empty());
    for (int index = 1; index <= 16; ++index)
        QCOMPARE(QString::fromLatin1(item(index)), vowels[index - 1]);
}

void tst_core::spareEntries()
{
    for (int index = 17; index <= 20; ++index)
        QCOMPARE(item(index), std::to_string(index));
}

void tst_core::itemOutsideTableIsFatal_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("one past the end") << 21;
    QTest::newRow("negative") << -1;
    QTest::newRow("far out") << int32Max;
}

void tst_core::itemOutsideTableIsFatal()
{
    QFETCH(int, index);
    RecordingProgram program;
    QVERIFY(item(index).empty());
    QCOMPARE(program.errors, {platform::RunTimeError::SubscriptOutOfRange});
    QCOMPARE(program.ends, {EXIT_FAILURE});
}

void tst_core::clampToInt32_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint32>("held");

    QTest::newRow("inside") << qint64(1900) << 1900;
    QTest::newRow("largest") << qint64(int32Max) << int32Max;
    QTest::newRow("smallest") << qint64(int32Min) << int32Min;
    QTest::newRow("just above") << qint64(int32Max) + 1 << int32Max;
    QTest::newRow("just below") << qint64(int32Min) - 1 << int32Min;
    QTest::newRow("zero minus smallest") << -qint64(int32Min) << int32Max;
    QTest::newRow("largest minus smallest") << qint64(int32Max) - int32Min << int32Max;
}

void tst_core::clampToInt32()
{
    QFETCH(qint64, value);
    QFETCH(qint32, held);
    QCOMPARE(::clampToInt32(value), held);
}

QTEST_APPLESS_MAIN(tst_core)
#include "tst_core.moc"
