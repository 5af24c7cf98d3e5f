// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program asked about itself, and started where there is no display to open.

#include <QProcess>
#include <QTest>

class tst_command_line final : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

void tst_command_line::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");

    QTest::newRow("--help") << QStringList {"--help"} << QString() << 0
                            << "^Usage: lezomat\n.*takes no arguments.*window.*--version.*\n$"
                            << "^$";
    QTest::newRow("--version") << QStringList {"--version"} << QString() << 0
                               << "^lezomat " LEZOMAT_VERSION "\n$"
                               << "^$";
    QTest::newRow("--version after Qt's own options")
        << QStringList {"-style", "fusion", "--version"} << QString() << 0
        << "^lezomat " LEZOMAT_VERSION "\n$"
        << "^$";
    QTest::newRow("no display") << QStringList() << QString() << 1 << "^$"
                                << "^lezomat: no display to show the windows on; [^\n]*\n$";
    QTest::newRow("a display that is not there") << QStringList() << ":4711" << 1 << "^$"
                                                 << "^lezomat: cannot open the display :4711\n$";
}

void tst_command_line::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, error);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(variable);
    if (!display.isEmpty())
        environment.insert("DISPLAY", display);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(LEZOMAT_BINARY, arguments);
    QVERIFY(program.waitForFinished(10000));
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString said = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const auto matches = [](const QString &pattern, const QString &text) {
        return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)
            .match(text)
            .hasMatch();
    };
    QVERIFY2(matches(output, printed), qPrintable(printed));
    QVERIFY2(matches(error, said), qPrintable(said));
}

QTEST_GUILESS_MAIN(tst_command_line)
#include "tst_command_line.moc"
