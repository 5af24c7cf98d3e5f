// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/module1.h"
#include "core/shared_state.h"
#include "exercise_window/frm_werk.h"
#include "platform/qt/qt_platform.h"
#include "recording_program.h"
#include "settings_window/frm_hoofd.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <optional>

using platform::RunTimeError;

Q_DECLARE_METATYPE(std::optional<RunTimeError>)

// Closes the exercise window through its frame as soon as it is shown, so that the modal display
// of Start ends, and notes what the windows showed at that moment.
class ExerciseCloser
{
public:
    ExerciseCloser()
    {
        m_timer.callOnTimeout([this] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            const auto shown = [&windows](auto isKind) {
                return std::find_if(windows.begin(), windows.end(), [&](QWidget *window) {
                    return isKind(window) && window->isVisible();
                });
            };
            const auto exercise = shown([](QWidget *w) { return w->objectName() == "frm_werk"; });
            if (exercise == windows.end())
                return;
            ++opened;
            settingsVisibleMeanwhile
                = shown([](QWidget *w) { return w->objectName() == "frm_hoofd"; }) != windows.end();
            (*exercise)->close();
        });
        m_timer.start(5);
    }

    int opened = 0;
    bool settingsVisibleMeanwhile = false;

private:
    QTimer m_timer;
};

class tst_settings_window final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsCurrentValues();
    void freshStartShowsDefaults();
    void layout_data();
    void layout();
    void window();
    void focusOrder();
    void accessKeys_data();
    void accessKeys();
    void enterAndEscapeDoNothing_data();
    void enterAndEscapeDoNothing();
    void goodNumbersAreTaken_data();
    void goodNumbersAreTaken();
    void badNumbersAreRefused_data();
    void badNumbersAreRefused();

private:
    QDialog *dialog() { return platform::widget(*m_window); }
    QLineEdit *field(const char *name) { return dialog()->findChild<QLineEdit *>(name); }
    QPushButton *button(const char *name) { return dialog()->findChild<QPushButton *>(name); }
    void showActive();

    SharedState m_state;
    std::optional<RecordingProgram> m_program;
    std::optional<frm_hoofd> m_window;
};

void tst_settings_window::init()
{
    m_state = SharedState();
    m_program.emplace();
    m_window.emplace(m_state);
}

void tst_settings_window::cleanup()
{
    m_window.reset();
    m_program.reset();
}

void tst_settings_window::showActive()
{
    dialog()->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog()));
}

void tst_settings_window::showsCurrentValues()
{
    QCOMPARE(field("txt_start")->text(), "2000");
    QCOMPARE(field("txt_speed")->text(), "100");

    m_state.interval = -2147483647 - 1;
    m_state.acceleration = 0;
    frm_hoofd other(m_state);
    QCOMPARE(other.txt_start.text(), "-2147483648");
    QCOMPARE(other.txt_speed.text(), "0");
}

// Start-up shows the defaults, and closing the settings window through its frame ends start-up.
void tst_settings_window::freshStartShowsDefaults()
{
    m_window.reset();
    for (int run = 0; run < 2; ++run) {
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (window->objectName() == "frm_hoofd" && window->isVisible()) {
                    for (const char *name : {"txt_start", "txt_speed"}) {
                        auto *field = window->findChild<QLineEdit *>(name);
                        shown.append(field->text());
                        field->setText("1234");
                    }
                    window->close();
                }
            }
        });
        Module1::Main();
        QCOMPARE(shown, QStringList({"2000", "100"}));
    }
    QVERIFY(m_program->ends.isEmpty());
}

void tst_settings_window::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    QTest::newRow("Label1") << "Label1" << QRect(16, 24, 106, 17) << "Geef start interval";
    QTest::newRow("txt_start") << "txt_start" << QRect(136, 24, 105, 19) << "2000";
    QTest::newRow("Label3") << "Label3" << QRect(256, 24, 81, 17) << "Mili seconden";
    QTest::newRow("Label2") << "Label2" << QRect(16, 64, 106, 17) << "Geef versnelling";
    QTest::newRow("txt_speed") << "txt_speed" << QRect(136, 64, 105, 19) << "100";
    QTest::newRow("Label4") << "Label4" << QRect(256, 64, 81, 17) << "Mili seconden";
    QTest::newRow("cmd_start") << "cmd_start" << QRect(16, 144, 113, 33) << "&Start";
    QTest::newRow("cmd_exit") << "cmd_exit" << QRect(240, 144, 113, 33) << "&Einde";
}

void tst_settings_window::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    auto *control = dialog()->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(!control->isHidden());
    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        // Every text fits its label in the window's font.
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= geometry.width());
    } else if (auto *field = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(field->text(), text);
    } else {
        QCOMPARE(qobject_cast<QPushButton *>(control)->text(), text);
    }
}

void tst_settings_window::window()
{
    showActive();
    QCOMPARE(dialog()->windowTitle(), "Form1");
    QCOMPARE(dialog()->size(), QSize(369, 192));
    const QRect screen = dialog()->screen()->availableGeometry();
    QVERIFY((dialog()->frameGeometry().center() - screen.center()).manhattanLength() <= 2);
    QVERIFY(dialog()->windowFlags() & Qt::WindowMinMaxButtonsHint);
    QVERIFY(dialog()->windowFlags() & Qt::WindowCloseButtonHint);
}

void tst_settings_window::focusOrder()
{
    showActive();
    QCOMPARE(QApplication::focusWidget(), field("txt_start"));
    const QList<QWidget *> order
        = {field("txt_speed"), button("cmd_start"), button("cmd_exit"), field("txt_start")};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void tst_settings_window::accessKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("exercisesOpened");
    QTest::addColumn<QList<int>>("ends");

    // Closing the exercise window ends the program, hence one end after Start too.
    QTest::newRow("Alt+S starts") << Qt::Key_S << 1 << QList<int> {0};
    QTest::newRow("Alt+E ends") << Qt::Key_E << 0 << QList<int> {0};
}

void tst_settings_window::accessKeys()
{
    QFETCH(Qt::Key, key);
    QFETCH(int, exercisesOpened);
    QFETCH(QList<int>, ends);

    showActive();
    ExerciseCloser closer;
    QTest::keyClick(dialog(), key, Qt::AltModifier);
    QTRY_COMPARE(m_program->ends, ends);
    QCOMPARE(closer.opened, exercisesOpened);
}

void tst_settings_window::enterAndEscapeDoNothing_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Qt::Key>("key");

    QTest::newRow("Enter in txt_start") << "txt_start" << Qt::Key_Return;
    QTest::newRow("keypad Enter in txt_speed") << "txt_speed" << Qt::Key_Enter;
    QTest::newRow("Escape in txt_start") << "txt_start" << Qt::Key_Escape;
    QTest::newRow("Escape on cmd_start") << "cmd_start" << Qt::Key_Escape;
}

void tst_settings_window::enterAndEscapeDoNothing()
{
    QFETCH(QString, focus);
    QFETCH(Qt::Key, key);

    showActive();
    ExerciseCloser closer;
    auto *control = dialog()->findChild<QWidget *>(focus);
    control->setFocus();
    QTest::keyClick(control, key);
    // Nothing may happen, so there is nothing to wait for: give a press animation time to end.
    QTest::qWait(300);
    QVERIFY(m_window->isVisible());
    QCOMPARE(closer.opened, 0);
    QVERIFY(m_program->ends.isEmpty());
    QVERIFY(m_program->errors.isEmpty());
}

void tst_settings_window::goodNumbersAreTaken_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<qint32>("interval");
    QTest::addColumn<qint32>("acceleration");

    QTest::newRow("defaults") << "2000"
                              << "100" << 2000 << 100;
    QTest::newRow("zeros") << "0"
                           << "0" << 0 << 0;
    QTest::newRow("negatives") << "-500"
                               << "-500" << -500 << -500;
    QTest::newRow("blanks and plus") << " 1500 "
                                     << "+250" << 1500 << 250;
    QTest::newRow("limits") << "2147483647"
                            << "-2147483648" << 2147483647 << qint32(-2147483648LL);
}

void tst_settings_window::goodNumbersAreTaken()
{
    QFETCH(QString, start);
    QFETCH(QString, speed);
    QFETCH(qint32, interval);
    QFETCH(qint32, acceleration);

    showActive();
    field("txt_start")->setText(start);
    field("txt_speed")->setText(speed);
    ExerciseCloser closer;
    m_window->cmd_start_Click();

    QCOMPARE(closer.opened, 1);
    QVERIFY(!closer.settingsVisibleMeanwhile);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_state.interval, interval);
    QCOMPARE(m_state.acceleration, acceleration);
    QVERIFY(m_program->errors.isEmpty());
}

void tst_settings_window::badNumbersAreRefused_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("badField");
    QTest::addColumn<RunTimeError>("error");

    const QString good = "1500";
    const auto mismatch = RunTimeError::TypeMismatch;
    const auto overflow = RunTimeError::Overflow;
    QTest::newRow("empty start") << "" << good << "txt_start" << mismatch;
    QTest::newRow("empty speed") << good << ""
                                 << "txt_speed" << mismatch;
    QTest::newRow("blanks only") << "   " << good << "txt_start" << mismatch;
    QTest::newRow("letters") << "snel" << good << "txt_start" << mismatch;
    QTest::newRow("12a") << "12a" << good << "txt_start" << mismatch;
    QTest::newRow("1.5 speed") << good << "1.5"
                               << "txt_speed" << mismatch;
    QTest::newRow("1e3") << "1e3" << good << "txt_start" << mismatch;
    QTest::newRow("plus alone") << good << "+"
                                << "txt_speed" << mismatch;
    QTest::newRow("minus alone") << "-" << good << "txt_start" << mismatch;
    QTest::newRow("--5") << good << "--5"
                         << "txt_speed" << mismatch;
    QTest::newRow("non-ASCII digits")
        << QString::fromUtf8("\u0663\u0660\u0660") << good << "txt_start" << mismatch;
    QTest::newRow("NUL inside") << QString::fromUtf16(u"15\u000000", 5) << good << "txt_start"
                                << mismatch;
    QTest::newRow("newline inside") << good << "10\n0"
                                    << "txt_speed" << mismatch;
    QTest::newRow("2147483648") << "2147483648" << good << "txt_start" << overflow;
    QTest::newRow("-2147483649 speed") << good << "-2147483649"
                                       << "txt_speed" << overflow;
    QTest::newRow("a megabyte of digits")
        << QString(1 << 20, u'1') << good << "txt_start" << overflow;
    QTest::newRow("both bad: the first is named") << "x"
                                                  << "y"
                                                  << "txt_start" << mismatch;
}

void tst_settings_window::badNumbersAreRefused()
{
    QFETCH(QString, start);
    QFETCH(QString, speed);
    QFETCH(QString, badField);
    QFETCH(RunTimeError, error);

    showActive();
    // A single-line field may refuse some characters; the conversion must still see them all.
    field("txt_start")->setMaxLength(1 << 21);
    field("txt_speed")->setMaxLength(1 << 21);
    field("txt_start")->setText(start);
    field("txt_speed")->setText(speed);
    ExerciseCloser closer;
    m_window->cmd_start_Click();

    QCOMPARE(m_program->errors, {error});
    // What the user reads names the field and says what is wrong with it.
    const QString name = badField == "txt_start" ? "Het start interval" : "De versnelling";
    QCOMPARE(m_program->details,
             {name
              + (error == RunTimeError::Overflow ? " ligt niet tussen -2147483648 en 2147483647."
                                                 : " is geen geheel getal.")});
    QCOMPARE(m_state.interval, 2000);
    QCOMPARE(m_state.acceleration, 100);
    QVERIFY(m_window->isVisible());
    QCOMPARE(closer.opened, 0);
    QVERIFY(m_program->ends.isEmpty());
    auto *bad = field(qPrintable(badField));
    QCOMPARE(QApplication::focusWidget(), bad);
    QCOMPARE(bad->selectedText(), bad->text());
}

QTEST_MAIN(tst_settings_window)
#include "tst_settings_window.moc"
