// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the real program in a real X server: keys through xdotool, the window frame's close box
// as a window manager would press it, and what the windows show read back from the screen. With
// LEZOMAT_WINDOWS_PROGRAM set to lezomat.exe it drives the Windows program under Wine, whose
// windows are X windows too.

#include "screen.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <xcb/xcb.h>

namespace {

using Window = xcb_window_t;

// What a row of keys does to the program.
enum class Outcome { Nothing, ExerciseOpens, Ends };

QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start("xdotool", arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// The shown windows with this exact title.
QList<Window> shownWindows(const QString &title)
{
    QList<Window> windows;
    const QString found = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
    for (const QString &id : found.split('\n', Qt::SkipEmptyParts))
        windows.append(id.toUInt());
    return windows;
}

// The Windows program, when that is the one under test.
const QString windowsProgram = qEnvironmentVariable("LEZOMAT_WINDOWS_PROGRAM");

// The major version of Wine.
int wineVersion()
{
    QProcess wine;
    wine.start("wine", {"--version"});
    wine.waitForFinished(10000);
    return QString::fromLatin1(wine.readAllStandardOutput())
        .section('-', 1)
        .section('.', 0, 0)
        .toInt();
}

// Centred on the 1280 x 1024 screen. With no window manager to tell it the frame's size, Qt allows
// 10 pixels left and 40 above for one, and centres the window within that. Wine centres the frame
// it would draw itself, whose caption lies above the client area: the client area is centred
// across, and somewhat below the middle.
bool isCentred(QRect window)
{
    if (windowsProgram.isEmpty())
        return window.topLeft()
            == QPoint(640 - window.width() / 2 - 10, 512 - window.height() / 2 - 40);
    const QPoint offCentre = window.center() - QPoint(640, 512);
    return std::abs(offCentre.x()) <= 1 && offCentre.y() >= 0 && offCentre.y() <= 20;
}

bool waitFor(const std::function<bool()> &condition, int milliseconds = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.hasExpired(milliseconds))
            return false;
        QTest::qSleep(20);
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class tst_end_to_end final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void settingsWindowOpens();
    void windowsCarryTheProgramsClassAndIcon();
    void altEEndsFromSettings();
    void altSOpensTheExercise();
    void closingSettingsThroughTheFrameEnds();
    void closingTheExerciseThroughTheFrameEnds();
    void badNumberIsReportedAndTheProgramGoesOn();
    void exerciseFlashesItemsAndRewards();
    void altEEndsTheExercise();
    void keys_data();
    void keys();
    void pacingGoesOnWhileTheWindowIsMoved();

private:
    Window waitForWindow(const QString &title);
    void pressKeys(Window window, const QString &keys);
    void closeThroughFrame(Window window);
    QRect geometry(Window window);
    QByteArray property(Window window, const char *name);
    bool endsWith(int status);
    Window startExercise(const QString &interval);
    QPoint clientOrigin(Window desktop);

    xcb_connection_t *m_x = nullptr;
    xcb_atom_t m_protocols = 0;
    xcb_atom_t m_deleteWindow = 0;
    QProcess m_program;
};

static xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    const auto cookie = xcb_intern_atom(x, false, uint16_t(strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(x, cookie, nullptr), &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

void tst_end_to_end::initTestCase()
{
    m_x = xcb_connect(nullptr, nullptr);
    QVERIFY2(!xcb_connection_has_error(m_x), "no X server: run this test under xvfb-run");
    m_protocols = atom(m_x, "WM_PROTOCOLS");
    m_deleteWindow = atom(m_x, "WM_DELETE_WINDOW");
}

void tst_end_to_end::cleanupTestCase()
{
    xcb_disconnect(m_x);
}

void tst_end_to_end::init()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    m_program.setProcessEnvironment(environment);
    m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (windowsProgram.isEmpty())
        m_program.start(LEZOMAT_BINARY, QStringList());
    else
        m_program.start("wine", {windowsProgram});
    QVERIFY(m_program.waitForStarted());
}

void tst_end_to_end::cleanup()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished();
    }
}

Window tst_end_to_end::waitForWindow(const QString &title)
{
    QList<Window> windows;
    waitFor([&] { return !(windows = shownWindows(title)).isEmpty(); });
    return windows.value(0);
}

// With no window manager nothing gives a window the keyboard focus, so the test does. The keys
// are xdotool's names, separated by blanks.
void tst_end_to_end::pressKeys(Window window, const QString &keys)
{
    xdotool({"windowfocus", "--sync", QString::number(window)});
    xdotool(QStringList {"key", "--delay", "50"} + keys.split(u' '));
}

// What a window manager sends when the close box of the frame is pressed.
void tst_end_to_end::closeThroughFrame(Window window)
{
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = m_protocols;
    event.data.data32[0] = m_deleteWindow;
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_x, false, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(m_x);
}

QRect tst_end_to_end::geometry(Window window)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> size(
        xcb_get_geometry_reply(m_x, xcb_get_geometry(m_x, window), nullptr), &free);
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> origin(
        xcb_translate_coordinates_reply(m_x, xcb_translate_coordinates(m_x, window, root, 0, 0),
                                        nullptr),
        &free);
    if (!size || !origin)
        return {};
    return QRect(origin->dst_x, origin->dst_y, size->width, size->height);
}

QByteArray tst_end_to_end::property(Window window, const char *name)
{
    const auto cookie = xcb_get_property(m_x, false, window, atom(m_x, name),
                                         XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(m_x, cookie, nullptr), &free);
    if (!reply)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

bool tst_end_to_end::endsWith(int status)
{
    return m_program.waitForFinished(10000) && m_program.exitStatus() == QProcess::NormalExit
        && m_program.exitCode() == status;
}

Window tst_end_to_end::startExercise(const QString &interval)
{
    const Window settings = waitForWindow("Form1");
    if (!interval.isEmpty()) {
        // The start field has the focus and its text is replaced by what is typed.
        xdotool({"windowfocus", "--sync", QString::number(settings)});
        xdotool({"key", "ctrl+a"});
        xdotool({"type", interval});
    }
    pressKeys(settings, "alt+s");
    return waitForWindow("Lezomat");
}

void tst_end_to_end::settingsWindowOpens()
{
    const Window settings = waitForWindow("Form1");
    QVERIFY(settings);
    const QRect frame = geometry(settings);
    QCOMPARE(frame.size(), QSize(369, 192));
    QVERIFY(isCentred(frame));
}

// Docks and task switchers find the desktop entry by the window class, and show the window's icon.
void tst_end_to_end::windowsCarryTheProgramsClassAndIcon()
{
    for (const Window window : {waitForWindow("Form1"), startExercise({})}) {
        QVERIFY(window);
        const QList<QByteArray> wmClass = property(window, "WM_CLASS").split('\0');
        QCOMPARE(wmClass.value(1), windowsProgram.isEmpty() ? "nl.lezomat.Lezomat" : "lezomat.exe");
        // _NET_WM_ICON holds one picture after another: width, height, then its pixels.
        const QByteArray icon = property(window, "_NET_WM_ICON");
        QVERIFY(icon.size() >= 8);
        const auto *words = reinterpret_cast<const quint32 *>(icon.constData());
        QVERIFY2(words[0] >= 16 && words[1] == words[0], qPrintable(QString::number(words[0])));
        QVERIFY(quint64(icon.size()) >= (2 + quint64(words[0]) * words[1]) * 4);
    }
}

void tst_end_to_end::altEEndsFromSettings()
{
    pressKeys(waitForWindow("Form1"), "alt+e");
    QVERIFY(endsWith(0));
}

void tst_end_to_end::altSOpensTheExercise()
{
    const Window exercise = startExercise({});
    QVERIFY(exercise);
    const QRect frame = geometry(exercise);
    QCOMPARE(frame.size(), QSize(1016, 734));
    QVERIFY(isCentred(frame));
    QCOMPARE(m_program.state(), QProcess::Running);
    // Wine 10 leaves a hidden window mapped on an X server without a window manager, as this one
    // is: there the settings window's hiding cannot be seen from outside.
    if (!windowsProgram.isEmpty() && wineVersion() >= 10)
        QSKIP("Wine 10 leaves the hidden settings window mapped without a window manager");
    QVERIFY(waitFor([] { return shownWindows("Form1").isEmpty(); }));
}

void tst_end_to_end::closingSettingsThroughTheFrameEnds()
{
    closeThroughFrame(waitForWindow("Form1"));
    QVERIFY(endsWith(0));
}

void tst_end_to_end::closingTheExerciseThroughTheFrameEnds()
{
    const Window exercise = startExercise({});
    QVERIFY(exercise);
    closeThroughFrame(exercise);
    QVERIFY(endsWith(0));
}

void tst_end_to_end::badNumberIsReportedAndTheProgramGoesOn()
{
    const Window settings = waitForWindow("Form1");
    xdotool({"windowfocus", "--sync", QString::number(settings)});
    xdotool({"key", "ctrl+a", "BackSpace"});
    pressKeys(settings, "alt+s");

    // The report is a small box of its own; the exercise window does not open.
    const Window report = waitForWindow("Lezomat");
    QVERIFY(report);
    QVERIFY(geometry(report).width() < 1016);
    QCOMPARE(m_program.state(), QProcess::Running);
    QCOMPARE(shownWindows("Form1"), {settings});

    pressKeys(report, "Return");
    QVERIFY(waitFor([] { return shownWindows("Lezomat").isEmpty(); }));
    QCOMPARE(m_program.state(), QProcess::Running);

    // The emptied field has the focus again: typing a number into it starts the exercise.
    xdotool({"windowfocus", "--sync", QString::number(settings)});
    xdotool({"type", "1500"});
    pressKeys(settings, "alt+s");
    const Window exercise = waitForWindow("Lezomat");
    QCOMPARE(geometry(exercise).size(), QSize(1016, 734));
}

// At 200 ms a step comes every 100 ms: a series of ten items takes 2.1 s, then a 3.5 s pause.
void tst_end_to_end::exerciseFlashesItemsAndRewards()
{
    const Window exercise = startExercise("200");
    QVERIFY(exercise);
    const QRect itemArea(352, 288, 225, 97);
    const auto ink = [](int r, int g, int b) { return r < 100 && g < 100 && b < 100; };
    const auto itemShown = [&] { return ::itemShown(m_x, exercise); };
    const auto pictureShown = [&] { return ::pictureShown(m_x, exercise); };

    int changes = 0;
    bool shown = false;
    bool inkSeen = false;
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(1800)) {
        const bool nowShown = itemShown();
        changes += nowShown != shown;
        shown = nowShown;
        inkSeen = inkSeen || (shown && countPixels(m_x, exercise, itemArea, ink) > 20);
        QTest::qSleep(10);
    }
    QVERIFY2(changes >= 6, qPrintable(QString::number(changes)));
    QVERIFY(inkSeen);

    QVERIFY(waitFor(pictureShown, 3000));
    QVERIFY(!itemShown());
    QVERIFY(waitFor([&] { return !pictureShown(); }, 5000));
    QVERIFY(waitFor(itemShown, 1000));
}

void tst_end_to_end::altEEndsTheExercise()
{
    const Window exercise = startExercise("400");
    QVERIFY(exercise);
    QTest::qSleep(500);
    pressKeys(exercise, "alt+e");
    QVERIFY(endsWith(0));
}

// The focus starts at the start field in the settings window and at Einde in the exercise window.
// Enter and Space press only the focused button; Enter in a field and Escape do nothing.
void tst_end_to_end::keys_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<Outcome>("outcome");

    const QString settings = "Form1";
    const QString exercise = "Lezomat";
    QTest::newRow("settings: Enter in the start field") << settings << "Return" << Outcome::Nothing;
    QTest::newRow("settings: Escape") << settings << "Escape" << Outcome::Nothing;
    QTest::newRow("settings: Tab, Tab, Enter presses Start")
        << settings << "Tab Tab Return" << Outcome::ExerciseOpens;
    QTest::newRow("settings: three Tabs, Space presses Einde")
        << settings << "Tab Tab Tab space" << Outcome::Ends;
    QTest::newRow("settings: Shift+Tab, Space presses Einde")
        << settings << "shift+Tab space" << Outcome::Ends;
    QTest::newRow("exercise: Enter presses Einde") << exercise << "Return" << Outcome::Ends;
    QTest::newRow("exercise: Escape") << exercise << "Escape" << Outcome::Nothing;
    QTest::newRow("exercise: Tab, Enter presses versnel")
        << exercise << "Tab Return" << Outcome::Nothing;
    QTest::newRow("exercise: three Tabs come back to Einde")
        << exercise << "Tab Tab Tab space" << Outcome::Ends;
}

void tst_end_to_end::keys()
{
    QFETCH(QString, window);
    QFETCH(QString, keys);
    QFETCH(Outcome, outcome);

    const Window target = window == "Form1" ? waitForWindow("Form1") : startExercise({});
    QVERIFY(target);
    pressKeys(target, keys);
    switch (outcome) {
    case Outcome::Ends:
        QVERIFY(endsWith(0));
        break;
    case Outcome::ExerciseOpens:
        QCOMPARE(geometry(waitForWindow("Lezomat")).size(), QSize(1016, 734));
        break;
    case Outcome::Nothing:
        // Nothing may happen, so there is nothing to wait for: give it time to happen.
        QTest::qWait(500);
        QCOMPARE(m_program.state(), QProcess::Running);
        QCOMPARE(shownWindows(window), {target});
        if (window == "Form1")
            QVERIFY(shownWindows("Lezomat").isEmpty());
        break;
    }
}

// The top-left corner of the exercise window's client area on Wine's virtual desktop, found from a
// point of its background near that corner: the window is centred, its client area 1016 x 734.
QPoint tst_end_to_end::clientOrigin(Window desktop)
{
    const QRect screen = geometry(desktop);
    const QPoint inside = screen.center() - QPoint(508, 367) + QPoint(100, 120);
    const int background = pixelColour(m_x, desktop, inside);
    QPoint corner = inside;
    while (corner.x() > 0 && pixelColour(m_x, desktop, corner - QPoint(1, 0)) == background)
        corner.rx() -= 1;
    while (corner.y() > 0 && pixelColour(m_x, desktop, corner - QPoint(0, 1)) == background)
        corner.ry() -= 1;
    return corner;
}

// On Windows, moving a window runs a loop of the system's instead of the program's. The exercise
// keeps its pace inside it, also after a menu of the system's has opened and closed within it, as
// Alt+E does there. Wine's virtual desktop draws the frames and runs that loop as Windows does;
// Alt+Space, then M, enters it from the keyboard, the arrow keys move the window and Return ends
// it.
void tst_end_to_end::pacingGoesOnWhileTheWindowIsMoved()
{
    if (windowsProgram.isEmpty())
        QSKIP("only Windows runs a loop of its own while a window is moved");
    m_program.kill();
    m_program.waitForFinished();
    m_program.start("wine", {"explorer", "/desktop=lezomat,1280x1024", windowsProgram});
    const Window desktop = waitForWindow("lezomat - Wine desktop");
    QVERIFY(desktop);
    // The settings window opens in the middle of the desktop.
    const auto middleCovered = [&] {
        return pixelColour(m_x, desktop, geometry(desktop).center())
            != pixelColour(m_x, desktop, QPoint(5, 5));
    };
    QVERIFY(waitFor(middleCovered));
    xdotool({"windowfocus", "--sync", QString::number(desktop)});
    xdotool({"key", "ctrl+a"});
    xdotool({"type", "400"});
    pressKeys(desktop, "alt+s");
    QVERIFY(waitFor([&] { return itemShown(m_x, desktop, clientOrigin(desktop)); }));

    // The move loop first takes the pointer to the middle of the caption and then follows it:
    // the pointer is put there first, so that the window stays where it is.
    const QPoint before = clientOrigin(desktop);
    const QPoint caption = before + QPoint(498, -12);
    xdotool({"mousemove", QString::number(caption.x()), QString::number(caption.y())});
    pressKeys(desktop, "alt+space m Right Right");
    // The window moves with the arrow keys only while the move loop runs.
    QTRY_VERIFY(clientOrigin(desktop).x() > before.x());
    pressKeys(desktop, "alt+e");
    const QPoint client = clientOrigin(desktop);

    // At 400 ms a step comes every 200 ms: ten in two seconds.
    int changes = 0;
    bool shown = itemShown(m_x, desktop, client);
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(2000)) {
        const bool nowShown = itemShown(m_x, desktop, client);
        changes += nowShown != shown;
        shown = nowShown;
        QTest::qSleep(5);
    }
    QVERIFY2(changes >= 6, qPrintable(QString::number(changes)));
    pressKeys(desktop, "Return alt+e");
    QVERIFY(endsWith(0));
}

QTEST_GUILESS_MAIN(tst_end_to_end)
#include "tst_end_to_end.moc"
