// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/items.h"
#include "exercise_probe.h"
#include "platform/qt/qt_platform.h"
#include "recording_program.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <optional>

class tst_exercise_window final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void window();
    void opensBlankWithAHiddenItem();
    void itemFont();
    void rewardPicture();
    void timers();
    void focusOrder();
    void focusOrderDuringPause();
    void endingKeys_data();
    void endingKeys();
    void escapeDoesNothing();
    void closingThroughTheFrameEnds();
    void drawCoversEveryVowelEvenly();
    void drawOutsideTheTableIsFatal();

private:
    void showActive();
    QWidget *control(const char *name) { return dialog()->findChild<QWidget *>(name); }
    QDialog *dialog() { return platform::widget(m_probe->window); }

    SharedState m_state;
    std::optional<RecordingProgram> m_program;
    std::optional<ExerciseProbe> m_probe;
};

void tst_exercise_window::init()
{
    m_state = SharedState();
    m_program.emplace();
    m_probe.emplace(m_state);
}

void tst_exercise_window::cleanup()
{
    m_probe.reset();
    m_program.reset();
}

// Showing the window runs the event loop, so the real timers are stopped first to keep the
// pacing still.
void tst_exercise_window::showActive()
{
    m_probe->Timer1->stop();
    dialog()->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog()));
}

void tst_exercise_window::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");

    QTest::newRow("txt_string") << "txt_string" << QRect(352, 288, 225, 97) << QString() << false;
    QTest::newRow("Picture1") << "Picture1" << QRect(384, 264, 153, 113) << QString() << false;
    QTest::newRow("Command2") << "Command2" << QRect(904, 504, 81, 33) << "vertraag      100 msec"
                              << true;
    QTest::newRow("Command1") << "Command1" << QRect(904, 552, 81, 33) << "versnel        100 msec"
                              << true;
    QTest::newRow("cmd_exit") << "cmd_exit" << QRect(760, 608, 113, 33) << "&Einde" << true;
    QTest::newRow("Label4") << "Label4" << QRect(896, 616, 33, 17) << "reeks" << true;
    QTest::newRow("Label3") << "Label3" << QRect(952, 616, 49, 17) << "" << true;
    QTest::newRow("Label5") << "Label5" << QRect(904, 656, 25, 17) << "tijd" << true;
    QTest::newRow("Label1") << "Label1" << QRect(952, 656, 49, 17) << "" << true;
}

void tst_exercise_window::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, visible);

    auto *widget = control(qPrintable(name));
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(!widget->isHidden(), visible);
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(button->text(), text);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    } else if (!text.isNull()) {
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(), text);
    }
}

void tst_exercise_window::window()
{
    QCOMPARE(dialog()->windowTitle(), "Lezomat");
    QCOMPARE(dialog()->size(), QSize(1016, 734));
    QVERIFY(dialog()->windowFlags() & Qt::WindowMinMaxButtonsHint);
}

void tst_exercise_window::opensBlankWithAHiddenItem()
{
    QCOMPARE(m_probe->phase(), ExerciseProbe::Phase::Blank);
    QVERIFY(m_state.item_index >= 1 && m_state.item_index <= 16);
    QCOMPARE(m_probe->txt_string->text(), items[m_state.item_index]);
    QCOMPARE(m_state.elapsed, 1);
    QCOMPARE(m_state.step_count, 0);
}

void tst_exercise_window::itemFont()
{
    auto *txt_string = platform::widget<QLabel>(m_probe->window.txt_string);
    const QFont font = txt_string->font();
    QCOMPARE(font.families().constFirst(), "MS Sans Serif");
    QCOMPARE(font.pointSize(), 24);
    QVERIFY(font.bold());
    QCOMPARE(txt_string->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    const QFontInfo used(font);
    QVERIFY(used.bold());
    QVERIFY2(used.family().contains("Sans"), qPrintable(used.family()));
}

// 150 x 112: a yellow face in the middle of a grey that darkens towards the corners.
void tst_exercise_window::rewardPicture()
{
    auto *Picture1 = platform::widget<QLabel>(m_probe->window.Picture1);
    const QImage picture = Picture1->pixmap().toImage();
    QCOMPARE(picture.size(), QSize(150, 112));
    QCOMPARE(Picture1->alignment(), Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(Picture1->frameShadow(), QFrame::Sunken);

    const QColor face = picture.pixelColor(75, 50);
    QVERIFY2(face.red() > 200 && face.green() > 150 && face.blue() < 120, qPrintable(face.name()));
    const QColor aroundFace = picture.pixelColor(75, 20);
    QVERIFY2(qGray(aroundFace.rgb()) > 200, qPrintable(aroundFace.name()));
    for (QPoint corner : {QPoint(0, 0), QPoint(149, 0), QPoint(0, 111), QPoint(149, 111)}) {
        const QColor grey = picture.pixelColor(corner);
        QVERIFY2(std::abs(grey.red() - 75) <= 12 && std::abs(grey.green() - 75) <= 12
                     && std::abs(grey.blue() - 75) <= 12,
                 qPrintable(grey.name()));
    }
}

void tst_exercise_window::timers()
{
    QVERIFY(m_probe->Timer1->isActive());
    QCOMPARE(m_probe->Timer1->interval(), 10);
    QVERIFY(!m_probe->Timer2->isActive());
}

void tst_exercise_window::focusOrder()
{
    showActive();
    QCOMPARE(QApplication::focusWidget(), control("cmd_exit"));
    for (const char *next : {"Command1", "Command2", "cmd_exit"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(next));
    }
}

// The picture box takes the focus in its turn while it is shown.
void tst_exercise_window::focusOrderDuringPause()
{
    m_state.interval = 0;
    while (m_probe->phase() != ExerciseProbe::Phase::Pause)
        m_probe->tick();
    m_probe->Timer2->stop();
    showActive();
    for (const char *next : {"Picture1", "Command1", "Command2", "cmd_exit"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(next));
    }
}

void tst_exercise_window::endingKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifier>("modifier");

    QTest::newRow("Enter on the focused Einde") << Qt::Key_Return << Qt::NoModifier;
    QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeypadModifier;
    QTest::newRow("Space on the focused Einde") << Qt::Key_Space << Qt::NoModifier;
    QTest::newRow("Alt+E") << Qt::Key_E << Qt::AltModifier;
}

void tst_exercise_window::endingKeys()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifier, modifier);

    showActive();
    QTest::keyClick(QApplication::focusWidget(), key, modifier);
    QTRY_COMPARE(m_program->ends, QList<int> {0});
}

void tst_exercise_window::escapeDoesNothing()
{
    showActive();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::qWait(300);
    QVERIFY(m_probe->window.isVisible());
    QVERIFY(m_program->ends.isEmpty());
}

void tst_exercise_window::closingThroughTheFrameEnds()
{
    showActive();
    QVERIFY(dialog()->close());
    QCOMPARE(m_program->ends, {0});
}

void tst_exercise_window::drawCoversEveryVowelEvenly()
{
    constexpr int draws = 32000;
    QMap<QString, int> seen;
    for (int draw = 0; draw < draws; ++draw) {
        m_probe->window.Form_Load();
        QVERIFY(m_state.item_index >= 1 && m_state.item_index <= 16);
        ++seen[QString::fromStdString(m_probe->txt_string->text())];
    }
    QCOMPARE(seen.size(), 16);
    for (int index = 1; index <= 16; ++index) {
        // Expected 2000 each; 1700..2300 is more than six standard deviations wide.
        const int count = seen.value(QString::fromLatin1(items[index]));
        QVERIFY2(count > 1700 && count < 2300,
                 qPrintable(QString("%1: %2").arg(QString::fromLatin1(items[index])).arg(count)));
    }
    QVERIFY(!m_probe->txt_string->isVisible());
}

// Only a table of 21 draws past its end; the draw must be stopped there, not read beyond.
void tst_exercise_window::drawOutsideTheTableIsFatal()
{
    m_state.item_count = 21;
    for (int draw = 0; draw < 2000 && m_program->errors.isEmpty(); ++draw)
        m_probe->window.Form_Load();
    QCOMPARE(m_program->errors, {platform::RunTimeError::SubscriptOutOfRange});
    QCOMPARE(m_program->ends, {EXIT_FAILURE});
    QCOMPARE(m_state.item_index, 21);
}

QTEST_MAIN(tst_exercise_window)
#include "tst_exercise_window.moc"
