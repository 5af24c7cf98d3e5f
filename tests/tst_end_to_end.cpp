// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drives the real program and reads back what its windows show. By default the Linux program in
// an X server; with LEZOMAT_WINDOWS_PROGRAM set to lezomat.exe the Windows program under Wine;
// with LEZOMAT_WEB_PAGE set to the browser edition's address, the page in the browser that
// LEZOMAT_BROWSER names (chromium or webkit). The scenarios are the same for all three.

#include "page.h"
#include "x_server.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QTest>
#include <memory>
#include <xcb/screensaver.h>

namespace {

// What a row of keys does to the program.
enum class Outcome { Nothing, ExerciseOpens, Ends };

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
    void pageIsDutchAndCarriesItsIcon();
    void exerciseFitsTheViewOfAChromebook();
    void tapsWorkAsClicks();
    void siteWorksOfflineAfterTheFirstVisit();
    void screenStaysOnDuringTheExercise();

private:
    Window startExercise(const QString &interval);
    QPoint clientOrigin(xcb_connection_t *x, xcb_window_t desktop);

    std::unique_ptr<Driver> m_driver;
    // The same driver, where the program's windows are X windows, or where they are a page's.
    XServer *m_xServer = nullptr;
    Page *m_page = nullptr;
};

void tst_end_to_end::initTestCase()
{
    const QString page = qEnvironmentVariable("LEZOMAT_WEB_PAGE");
    if (!page.isEmpty()) {
        auto browser = std::make_unique<Page>(qEnvironmentVariable("LEZOMAT_BROWSER"), page);
        m_page = browser.get();
        m_driver = std::move(browser);
        return;
    }
    auto xServer = std::make_unique<XServer>(qEnvironmentVariable("LEZOMAT_WINDOWS_PROGRAM"));
    QVERIFY2(xServer->connected(), "no X server: run this test under xvfb-run");
    m_xServer = xServer.get();
    m_driver = std::move(xServer);
}

void tst_end_to_end::cleanupTestCase()
{
    m_driver.reset();
}

void tst_end_to_end::init()
{
    m_driver->start();
}

void tst_end_to_end::cleanup()
{
    m_driver->stop();
}

Window tst_end_to_end::startExercise(const QString &interval)
{
    const Window settings = m_driver->waitForWindow("Form1");
    if (!interval.isEmpty()) {
        // The start field has the focus and its text is replaced by what is typed.
        m_driver->pressKeys(settings, "ctrl+a");
        m_driver->type(settings, interval);
    }
    m_driver->pressKeys(settings, "alt+s");
    return m_driver->waitForWindow("Lezomat");
}

void tst_end_to_end::settingsWindowOpens()
{
    const Window settings = m_driver->waitForWindow("Form1");
    QVERIFY(!settings.isEmpty());
    const QRect client = m_driver->geometry(settings);
    QCOMPARE(client.size(), QSize(369, 192));
    QVERIFY(m_driver->isCentred(client));
}

// Docks and task switchers find the desktop entry by the window class, and show the window's icon.
void tst_end_to_end::windowsCarryTheProgramsClassAndIcon()
{
    if (!m_xServer)
        QSKIP("a page's windows have no window class; the page carries the icon");
    for (const Window &window : {m_driver->waitForWindow("Form1"), startExercise({})}) {
        QVERIFY(!window.isEmpty());
        const QList<QByteArray> wmClass = m_xServer->property(window, "WM_CLASS").split('\0');
        QCOMPARE(wmClass.value(1), m_xServer->isWindows() ? "lezomat.exe" : "nl.lezomat.Lezomat");
        // _NET_WM_ICON holds one picture after another: width, height, then its pixels.
        const QByteArray icon = m_xServer->property(window, "_NET_WM_ICON");
        QVERIFY(icon.size() >= 8);
        const auto *words = reinterpret_cast<const quint32 *>(icon.constData());
        QVERIFY2(words[0] >= 16 && words[1] == words[0], qPrintable(QString::number(words[0])));
        QVERIFY(quint64(icon.size()) >= (2 + quint64(words[0]) * words[1]) * 4);
    }
}

void tst_end_to_end::altEEndsFromSettings()
{
    m_driver->pressKeys(m_driver->waitForWindow("Form1"), "alt+e");
    QVERIFY(m_driver->endsWith(0));
}

void tst_end_to_end::altSOpensTheExercise()
{
    const Window exercise = startExercise({});
    QVERIFY(!exercise.isEmpty());
    const QRect client = m_driver->geometry(exercise);
    QCOMPARE(client.size(), QSize(1016, 734));
    QVERIFY(m_driver->isCentred(client));
    QVERIFY(m_driver->running());
    // Wine 10 leaves a hidden window mapped on an X server without a window manager, as this one
    // is: there the settings window's hiding cannot be seen from outside.
    if (m_xServer && m_xServer->isWindows() && wineVersion() >= 10)
        QSKIP("Wine 10 leaves the hidden settings window mapped without a window manager");
    QVERIFY(waitFor([&] { return m_driver->shownWindows("Form1").isEmpty(); }));
}

void tst_end_to_end::closingSettingsThroughTheFrameEnds()
{
    m_driver->closeThroughFrame(m_driver->waitForWindow("Form1"));
    QVERIFY(m_driver->endsWith(0));
}

void tst_end_to_end::closingTheExerciseThroughTheFrameEnds()
{
    const Window exercise = startExercise({});
    QVERIFY(!exercise.isEmpty());
    m_driver->closeThroughFrame(exercise);
    QVERIFY(m_driver->endsWith(0));
}

void tst_end_to_end::badNumberIsReportedAndTheProgramGoesOn()
{
    const Window settings = m_driver->waitForWindow("Form1");
    m_driver->pressKeys(settings, "ctrl+a BackSpace alt+s");

    // The report is a small box of its own; the exercise window does not open.
    const Window report = m_driver->waitForWindow("Lezomat");
    QVERIFY(!report.isEmpty());
    QVERIFY(m_driver->geometry(report).width() < 1016);
    QVERIFY(m_driver->running());
    QCOMPARE(m_driver->shownWindows("Form1"), {settings});

    m_driver->pressKeys(report, "Return");
    QVERIFY(waitFor([&] { return m_driver->shownWindows("Lezomat").isEmpty(); }));
    QVERIFY(m_driver->running());

    // The emptied field has the focus again: typing a number into it starts the exercise.
    m_driver->type(settings, "1500");
    m_driver->pressKeys(settings, "alt+s");
    const Window exercise = m_driver->waitForWindow("Lezomat");
    QCOMPARE(m_driver->geometry(exercise).size(), QSize(1016, 734));
}

// At 600 ms a step comes every 300 ms: a series of ten items takes 6.3 s, then a 3.5 s pause. An
// item stays long enough for a browser's picture of the page, which takes about 100 ms.
void tst_end_to_end::exerciseFlashesItemsAndRewards()
{
    const Window exercise = startExercise("600");
    QVERIFY(!exercise.isEmpty());
    const auto itemShown = [&] { return m_driver->itemShown(exercise); };
    const auto pictureShown = [&] { return m_driver->pictureShown(exercise); };

    // The label comes and goes, and holds the item in ink while it is shown. A machine that
    // holds the program up drops ticks and so stretches the series, and a picture of the page
    // takes a while: the bounds leave room for both, and a step that never comes still fails.
    int changes = 0;
    bool shown = false;
    bool inkSeen = false;
    QElapsedTimer clock;
    clock.start();
    while ((changes < 6 || !inkSeen) && !clock.hasExpired(10000)) {
        const bool nowShown = itemShown();
        changes += nowShown != shown;
        shown = nowShown;
        inkSeen = inkSeen || (shown && m_driver->inkShown(exercise));
        QTest::qSleep(10);
    }
    QVERIFY2(changes >= 6, qPrintable(QString::number(changes)));
    QVERIFY(inkSeen);

    QVERIFY(waitFor(pictureShown, 15000));
    QVERIFY(!itemShown());
    QVERIFY(waitFor([&] { return !pictureShown(); }, 10000));
    QVERIFY(waitFor(itemShown, 5000));
}

void tst_end_to_end::altEEndsTheExercise()
{
    const Window exercise = startExercise("400");
    QVERIFY(!exercise.isEmpty());
    QTest::qSleep(500);
    m_driver->pressKeys(exercise, "alt+e");
    QVERIFY(m_driver->endsWith(0));
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

    const Window target = window == "Form1" ? m_driver->waitForWindow("Form1") : startExercise({});
    QVERIFY(!target.isEmpty());
    m_driver->pressKeys(target, keys);
    switch (outcome) {
    case Outcome::Ends:
        QVERIFY(m_driver->endsWith(0));
        break;
    case Outcome::ExerciseOpens:
        QCOMPARE(m_driver->geometry(m_driver->waitForWindow("Lezomat")).size(), QSize(1016, 734));
        break;
    case Outcome::Nothing:
        // Nothing may happen, so there is nothing to wait for: give it time to happen.
        QTest::qWait(500);
        QVERIFY(m_driver->running());
        QCOMPARE(m_driver->shownWindows(window), {target});
        if (window == "Form1")
            QVERIFY(m_driver->shownWindows("Lezomat").isEmpty());
        break;
    }
}

QPoint tst_end_to_end::clientOrigin(xcb_connection_t *x, xcb_window_t desktop)
{
    return exerciseOnDesktop(x, desktop, m_xServer->geometry(QString::number(desktop)).center());
}

// On Windows, moving a window runs a loop of the system's instead of the program's. The exercise
// keeps its pace inside it, also after a menu of the system's has opened and closed within it, as
// Alt+E does there. Wine's virtual desktop draws the frames and runs that loop as Windows does:
// the caption held with the mouse enters it, and letting go ends it.
void tst_end_to_end::pacingGoesOnWhileTheWindowIsMoved()
{
    if (!m_xServer || !m_xServer->isWindows())
        QSKIP("only Windows runs a loop of its own while a window is moved");
    QProcess &program = m_xServer->program();
    m_xServer->stop();
    program.start("wine", {"explorer", "/desktop=lezomat,1280x1024", m_xServer->windowsProgram()});
    const Window desktop = m_xServer->waitForWindow("lezomat - Wine desktop");
    QVERIFY(!desktop.isEmpty());
    xcb_connection_t *x = m_xServer->connection();
    const xcb_window_t id = m_xServer->id(desktop);
    // The settings window opens in the middle of the desktop.
    const auto middleCovered = [&] {
        return pixelColour(x, id, m_xServer->geometry(desktop).center())
            != pixelColour(x, id, QPoint(5, 5));
    };
    QVERIFY(waitFor(middleCovered));
    m_xServer->pressKeys(desktop, "ctrl+a");
    m_xServer->type(desktop, "400");
    m_xServer->pressKeys(desktop, "alt+s");
    QVERIFY(waitFor([&] { return itemShown(x, id, clientOrigin(x, id)); }));

    const QPoint before = clientOrigin(x, id);
    const QPoint caption = before + QPoint(498, -12);
    const auto pointTo = [](QPoint point) {
        xdotool({"mousemove", QString::number(point.x()), QString::number(point.y())});
    };
    pointTo(caption);
    xdotool({"mousedown", "1"});
    pointTo(caption + QPoint(20, 20));
    pointTo(caption + QPoint(40, 40));
    // The window follows the pointer only while the move loop runs.
    QTRY_VERIFY(clientOrigin(x, id).x() > before.x());
    m_xServer->pressKeys(desktop, "alt+e");
    const QPoint client = clientOrigin(x, id);

    // At 400 ms a step comes every 200 ms: ten in two seconds.
    int changes = 0;
    bool shown = itemShown(x, id, client);
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(2000)) {
        const bool nowShown = itemShown(x, id, client);
        changes += nowShown != shown;
        shown = nowShown;
        QTest::qSleep(5);
    }
    QVERIFY2(changes >= 6, qPrintable(QString::number(changes)));
    // After Alt+E inside the loop, Wine 8 takes two Escapes before keys reach the window again.
    xdotool({"mouseup", "1"});
    m_xServer->pressKeys(desktop, "Escape Escape alt+e");
    QVERIFY(m_xServer->endsWith(0));
}

// The page is Dutch, named after the program, with its icon.
void tst_end_to_end::pageIsDutchAndCarriesItsIcon()
{
    if (!m_page)
        QSKIP("only the browser edition is a page");
    const QJsonArray page = m_page->browser()
                                .script("return [document.documentElement.lang, document.title,"
                                        "        document.querySelector('link[rel=icon]').href]")
                                .toArray();
    QCOMPARE(page[0].toString(), "nl");
    QCOMPARE(page[1].toString(), "Lezomat");
    const QString icon = page[2].toString();
    QVERIFY(icon.startsWith("data:image/png;base64,"));
    QCOMPARE(QImage::fromData(QByteArray::fromBase64(icon.section(',', 1).toLatin1())).size(),
             QSize(32, 32));
}

// A Chromebook of 1366 x 768 leaves about 1366 x 625 to a tab: the exercise window is shown
// scaled down so that it fits whole, and nothing scrolls.
void tst_end_to_end::exerciseFitsTheViewOfAChromebook()
{
    if (!m_page)
        QSKIP("only the browser edition fits its windows to a view");
    Browser &browser = m_page->browser();
    const QJsonArray view = browser.script("return [innerWidth, innerHeight]").toArray();
    QCOMPARE(browser.request({{"do", "view"}, {"width", 1366}, {"height", 625}}).toArray(),
             QJsonArray({1366, 625}));
    const auto restore = qScopeGuard([&] {
        browser.request({{"do", "view"}, {"width", view[0]}, {"height", view[1]}});
    });
    const Window exercise = startExercise({});
    QVERIFY(!exercise.isEmpty());
    const QJsonArray fit = browser
                               .script("const window = document.getElementById(arguments[0]);"
                                       "const box = window.getBoundingClientRect();"
                                       "const page = document.documentElement;"
                                       "return [box.left, box.top, box.right, box.bottom,"
                                       "        page.scrollWidth, page.scrollHeight]",
                                       {exercise})
                               .toArray();
    QVERIFY(fit[0].toDouble() >= 0 && fit[1].toDouble() >= 0);
    QVERIFY(fit[2].toDouble() <= 1366 && fit[3].toDouble() <= 625);
    QVERIFY(fit[4].toInt() <= 1366 && fit[5].toInt() <= 625);
    // In proportion: the client area keeps its shape.
    const QRect client = m_driver->geometry(exercise);
    QVERIFY2(std::abs(client.width() * 734.0 / client.height() - 1016) < 4,
             qPrintable(QStringLiteral("%1 x %2").arg(client.width()).arg(client.height())));
    QVERIFY(m_driver->isCentred(client));
}

// On iPads and touch Chromebooks a tap presses a button as a click does.
void tst_end_to_end::tapsWorkAsClicks()
{
    if (!m_page)
        QSKIP("only the browser edition runs on tablets");
    m_driver->waitForWindow("Form1");
    m_page->browser().request({{"do", "tap"}, {"selector", "#frm_hoofd [data-name=cmd_start]"}});
    const Window exercise = m_driver->waitForWindow("Lezomat");
    QVERIFY(!exercise.isEmpty());
    m_page->browser().request({{"do", "tap"}, {"selector", "#frm_werk [data-name=cmd_exit]"}});
    QVERIFY(m_driver->endsWith(0));
}

// The web app, served by a host of its own on this machine: once visited, it starts again with
// the host gone.
void tst_end_to_end::siteWorksOfflineAfterTheFirstVisit()
{
    const QString site = qEnvironmentVariable("LEZOMAT_WEB_SITE");
    if (!m_page || site.isEmpty())
        QSKIP("only the browser edition is a web app");
    QProcess host;
    host.setWorkingDirectory(site);
    host.start("/usr/bin/python3", {"-u", "-m", "http.server", "--bind", "127.0.0.1", "0"});
    QVERIFY(host.waitForReadyRead(10000));
    // "Serving HTTP on 127.0.0.1 port 40123 (http://127.0.0.1:40123/) ..."
    const QString address = QString::fromLatin1(host.readLine()).section('(', 1).section(')', 0, 0);
    QVERIFY2(address.startsWith("http://127.0.0.1:"), qPrintable(address));

    Browser &browser = m_page->browser();
    browser.request({{"do", "open"}, {"url", address}});
    QVERIFY(!m_driver->waitForWindow("Form1").isEmpty());
    const auto kept = [&] {
        return browser.script("return navigator.serviceWorker.controller !== null").toBool();
    };
    QVERIFY(waitFor(kept));
    host.kill();
    host.waitForFinished();

    browser.request({{"do", "open"}, {"url", address}});
    QVERIFY(kept());
    const QJsonObject manifest
        = browser.script("return fetch('manifest.webmanifest').then(answer => answer.json())")
              .toObject();
    QCOMPARE(manifest.value("name").toString(), "Lezomat");
    QCOMPARE(manifest.value("lang").toString(), "nl");
    QCOMPARE(manifest.value("icons").toArray().size(), 2);
    const Window exercise = startExercise("200");
    QVERIFY(!exercise.isEmpty());
    QVERIFY(waitFor([&] { return m_driver->itemShown(exercise); }, 3000));
}

// Nobody touches the keyboard or the mouse during an exercise: the screen stays on while the
// exercise window is there, and only then. Each place is watched with its own means. The X
// server's screen saver, set to come on after 2 idle seconds, comes on beside the idle settings
// window, stays off through the exercise and comes on again once the program has ended; on a
// session bus of the test's own, a stand-in for the desktop's screen saver service is asked to
// keep the screen on. Wine's trace shows the Windows program's calls to the system; the page's
// requests for a wake lock are watched in the page.
void tst_end_to_end::screenStaysOnDuringTheExercise()
{
    const bool linux = m_xServer && !m_xServer->isWindows();
    std::function<QStringList()> asked; // "on" and "off", as the program asked so far
    QProcess standIn;
    QByteArray trace;
    QTemporaryFile traceFile;
    QVERIFY(traceFile.open());

    if (linux) {
        xcb_connection_t *x = m_xServer->connection();
        xcb_set_screen_saver(x, 2, 0, XCB_BLANKING_PREFERRED, XCB_EXPOSURES_ALLOWED);
        xcb_flush(x);
        if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")) {
            standIn.start(LEZOMAT_SCREEN_SAVER_STAND_IN, QStringList());
            QVERIFY(standIn.waitForReadyRead(10000) && standIn.readLine() == "ready\n");
            asked = [&] {
                standIn.waitForReadyRead(100);
                trace += standIn.readAllStandardOutput();
                QStringList seen;
                for (const QByteArray &line : trace.split('\n')) {
                    if (line.startsWith("Inhibit 1 Lezomat"))
                        seen.append("on");
                    else if (line.startsWith("Inhibit") || line.startsWith("UnInhibit"))
                        seen.append(line == "UnInhibit 1" ? "off" : QString::fromLatin1(line));
                }
                return seen;
            };
        }
    } else if (m_xServer) {
        // Wine's relay trace of the calls that ask to keep the display on, and to end that.
        QProcess settings;
        settings.start("wine",
                       {"reg", "add", "HKCU\\Software\\Wine\\Debug", "/v", "RelayInclude", "/d",
                        "PowerCreateRequest;PowerSetRequest;PowerClearRequest;"
                        "SetThreadExecutionState",
                        "/f"});
        QVERIFY(settings.waitForFinished(30000));
        QProcess &program = m_xServer->program();
        m_xServer->stop();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("WINEDEBUG", "+relay");
        program.setProcessEnvironment(environment);
        // Into a file, which, unlike a pipe, never holds the program up when nobody reads it.
        program.setProcessChannelMode(QProcess::SeparateChannels);
        program.setStandardErrorFile(traceFile.fileName());
        program.start("wine", {m_xServer->windowsProgram()});
        asked = [&] {
            QFile trace(traceFile.fileName());
            trace.open(QIODevice::ReadOnly);
            QStringList seen;
            for (const QByteArray &line : trace.readAll().split('\n')) {
                if (line.contains("Call KERNEL32.SetThreadExecutionState(80000002)")
                    || line.contains("Call KERNEL32.PowerSetRequest("))
                    seen.append("on");
                else if (line.contains("Call KERNEL32.SetThreadExecutionState(80000000)")
                         || line.contains("Call KERNEL32.PowerClearRequest("))
                    seen.append("off");
            }
            return seen;
        };
    }
    const auto saverOn = [&] {
        xcb_connection_t *x = m_xServer->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
        std::unique_ptr<xcb_screensaver_query_info_reply_t, decltype(&free)> info(
            xcb_screensaver_query_info_reply(x, xcb_screensaver_query_info(x, root), nullptr),
            &free);
        return info && info->state == XCB_SCREENSAVER_STATE_ON;
    };
    const auto restore = qScopeGuard([&] {
        standIn.kill();
        standIn.waitForFinished();
        if (linux) {
            xcb_set_screen_saver(m_xServer->connection(), -1, -1, XCB_BLANKING_DEFAULT,
                                 XCB_EXPOSURES_DEFAULT);
            xcb_flush(m_xServer->connection());
        }
    });

    const Window settings = m_driver->waitForWindow("Form1");
    QVERIFY(!settings.isEmpty());
    if (m_page) {
        // On the prototype: a browser may make navigator's objects anew, without what was put on
        // them.
        m_page->browser().script("window.lezomatWakeLocks = {asked: 0, granted: []};"
                                 "if (navigator.wakeLock) {"
                                 "    const request = WakeLock.prototype.request;"
                                 "    WakeLock.prototype.request = function (type) {"
                                 "        ++lezomatWakeLocks.asked;"
                                 "        return request.call(this, type).then(lock => {"
                                 "            lezomatWakeLocks.granted.push(lock);"
                                 "            return lock;"
                                 "        });"
                                 "    };"
                                 "}");
        asked = [&] {
            const QJsonArray locks
                = m_page->browser()
                      .script("return [lezomatWakeLocks.asked,"
                              "        ...lezomatWakeLocks.granted.map(lock => lock.released)]")
                      .toArray();
            QStringList seen(locks[0].toInt(), "on");
            for (qsizetype lock = 1; lock < locks.size(); ++lock)
                seen.append(locks[lock].toBool() ? "off" : "granted");
            return seen;
        };
    }
    if (linux)
        QVERIFY2(waitFor(saverOn, 5000), "the screen saver did not come on beside the settings");
    QTest::qWait(500);
    if (asked)
        QCOMPARE(asked(), QStringList());

    // A service that is missing or slow holds nothing up.
    QElapsedTimer opening;
    opening.start();
    const Window exercise = startExercise({});
    QVERIFY(!exercise.isEmpty());
    QVERIFY2(opening.elapsed() < 3000, qPrintable(QString::number(opening.elapsed())));
    QElapsedTimer idle;
    idle.start();
    while (!idle.hasExpired(4000)) {
        QVERIFY2(!linux || !saverOn(),
                 qPrintable(QStringLiteral("the screen saver came on after %1 ms of exercise")
                                .arg(idle.elapsed())));
        QTest::qSleep(100);
    }
    if (asked) {
        const QStringList duringTheExercise = asked();
        QCOMPARE(duringTheExercise.value(0), "on");
        QVERIFY2(duringTheExercise.size() == 1
                     || duringTheExercise == QStringList({"on", "granted"}),
                 qPrintable(duringTheExercise.join(' ')));
        if (m_page && duringTheExercise.size() == 1)
            qInfo("the browser did not grant the wake lock");
    }

    m_driver->pressKeys(exercise, "alt+e");
    if (asked && !m_page) {
        QTRY_COMPARE(asked(), QStringList({"on", "off"}));
    }
    if (m_page && asked().size() > 1)
        QCOMPARE(asked(), QStringList({"on", "off"}));
    QVERIFY(m_driver->endsWith(0));
    if (linux)
        QVERIFY2(waitFor(saverOn, 5000), "the screen saver did not come on after the end");
}

QTEST_GUILESS_MAIN(tst_end_to_end)
#include "tst_end_to_end.moc"
