// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/numbers.h"

#include <QTest>
#include <cstdint>
#include <optional>

using platform::RunTimeError;

Q_DECLARE_METATYPE(std::optional<RunTimeError>)

class tst_numbers final : public QObject
{
    Q_OBJECT

private slots:
    void toInt32_data();
    void toInt32();
    void numberText_data();
    void numberText();
};

void tst_numbers::toInt32_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::int32_t>("value");
    QTest::addColumn<std::optional<RunTimeError>>("error");

    const std::optional<RunTimeError> ok;
    const auto mismatch = std::optional(RunTimeError::TypeMismatch);
    const auto overflow = std::optional(RunTimeError::Overflow);

    QTest::newRow("default interval") << "2000" << 2000 << ok;
    QTest::newRow("zero") << "0" << 0 << ok;
    QTest::newRow("minus zero") << "-0" << 0 << ok;
    QTest::newRow("negative") << "-500" << -500 << ok;
    QTest::newRow("leading zeros") << "007" << 7 << ok;
    QTest::newRow("plus sign") << "+250" << 250 << ok;
    QTest::newRow("blanks around") << "  150 " << 150 << ok;
    QTest::newRow("tab around") << "\t42\t" << 42 << ok;
    QTest::newRow("largest") << "2147483647" << 2147483647 << ok;
    QTest::newRow("smallest") << "-2147483648" << std::int32_t(-2147483648LL) << ok;

    QTest::newRow("empty") << "" << 0 << mismatch;
    QTest::newRow("blanks only") << "   " << 0 << mismatch;
    QTest::newRow("letters") << "abc" << 0 << mismatch;
    QTest::newRow("trailing letter") << "12a" << 0 << mismatch;
    QTest::newRow("fraction") << "1.5" << 0 << mismatch;
    QTest::newRow("decimal comma") << "1,5" << 0 << mismatch;
    QTest::newRow("exponent") << "1e3" << 0 << mismatch;
    QTest::newRow("grouping") << "2 000" << 0 << mismatch;
    QTest::newRow("plus alone") << "+" << 0 << mismatch;
    QTest::newRow("minus alone") << "-" << 0 << mismatch;
    QTest::newRow("double minus") << "--5" << 0 << mismatch;
    QTest::newRow("plus minus") << "+-5" << 0 << mismatch;
    QTest::newRow("hexadecimal") << "0x10" << 0 << mismatch;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << 0 << mismatch;
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uff11\uff12") << 0 << mismatch;
    QTest::newRow("NUL inside") << QString::fromUtf16(u"12\u00003", 4) << 0 << mismatch;
    QTest::newRow("newline inside") << "1\n2" << 0 << mismatch;
    QTest::newRow("digits then junk of any length")
        << QString(100000, u'9') + u'x' << 0 << mismatch;

    QTest::newRow("one past largest") << "2147483648" << 0 << overflow;
    QTest::newRow("one past smallest") << "-2147483649" << 0 << overflow;
    QTest::newRow("plus one past largest") << "+2147483648" << 0 << overflow;
    QTest::newRow("twenty digits") << "99999999999999999999" << 0 << overflow;
    QTest::newRow("a megabyte of digits") << QString(1 << 20, u'7') << 0 << overflow;
}

void tst_numbers::toInt32()
{
    QFETCH(QString, text);
    QFETCH(std::int32_t, value);
    QFETCH(std::optional<RunTimeError>, error);

    const platform::Conversion result = platform::toInt32(text.toStdString());
    QCOMPARE(result.error, error);
    if (!error)
        QCOMPARE(result.value, value);
}

void tst_numbers::numberText_data()
{
    QTest::addColumn<std::int32_t>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("no grouping") << 1234567 << "1234567";
    QTest::newRow("negative") << -500 << "-500";
    QTest::newRow("largest") << 2147483647 << "2147483647";
    QTest::newRow("smallest") << std::int32_t(-2147483648LL) << "-2147483648";
}

// Whatever the program writes into a field it must read back unchanged.
void tst_numbers::numberText()
{
    QFETCH(std::int32_t, value);
    QFETCH(QString, text);

    QCOMPARE(QString::fromStdString(platform::numberText(value)), text);
    QCOMPARE(platform::toInt32(text.toStdString()).value, value);
}

QTEST_APPLESS_MAIN(tst_numbers)
#include "tst_numbers.moc"
