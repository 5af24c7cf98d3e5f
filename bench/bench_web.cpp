// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures the browser edition in headless Chromium, beside the plain flasher of flasher.html:
// how closely the steps keep the nominal pace, what the browser's processes cost in CPU and
// memory, and how long the page takes to show its settings window.
// bench_web PAGE_ADDRESS FLASHER_ADDRESS
//
// Each step of the exercise shows or hides the item's label or shows the reward picture. A script
// the benchmark puts into the page before the page's own stamps each such change of the page as
// it happens, and the frame that shows it: the start of the next display frame, whose time
// requestAnimationFrame gives. The nominal time of each step is counted from the interval the
// step shows, the pauses and the series.

#include "browser.h"
#include "outside.h"
#include "schedule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <cstdio>

namespace {

const char *recorder = R"(
window.lezomatSteps = [];
window.lezomatSettingsShown = null;
const stamp = (what, record) => {
    record.changed = performance.now();
    what.push(record);
    requestAnimationFrame(frame => record.frame = frame);
};
// Controls are hidden as their window is made, before it is first shown: no step.
const shownWindows = new Set();
new MutationObserver(records => {
    for (const record of records) {
        const element = record.target;
        if ((record.oldValue !== null) == element.hidden)
            continue;
        if (element.classList.contains('form')) {
            if (!element.hidden && !shownWindows.has(element.id) && element.id == 'frm_hoofd')
                stamp(window.lezomatSettingsShown = [], {});
            shownWindows.add(element.id);
            continue;
        }
        const form = element.closest('.form');
        if (form && !shownWindows.has(form.id))
            continue;
        const name = element.dataset.name;
        const label = (form || document).querySelector('[data-name=Label1]');
        if (name == 'txt_string' || (name == 'Picture1' && !element.hidden))
            stamp(lezomatSteps, {pause: name == 'Picture1', interval: Number(label.textContent)});
    }
}).observe(document, {subtree: true, attributes: true, attributeFilter: ['hidden'],
                      attributeOldValue: true});
)";

// The CPU time and the memory of all of the browser's processes. The memory is each process's
// proportional share of what it has resident, so that pages the processes share count once.
struct Usage
{
    double cpuSeconds = 0;
    double memoryMb = 0;
};

Usage browserUsage()
{
    Usage usage;
    const QStringList processes = QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs);
    for (const QString &pid : processes) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        if (!line.contains("(chromium)"))
            continue;
        const QList<QByteArray> fields = line.split(')').value(1).split(' ');
        // After the name: utime and stime are fields 14 and 15.
        usage.cpuSeconds += double(fields.value(12).toLongLong() + fields.value(13).toLongLong())
            / double(sysconf(_SC_CLK_TCK));
        QFile memory("/proc/" + pid + "/smaps_rollup");
        if (!memory.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &entry : memory.readAll().split('\n')) {
            if (entry.startsWith("Pss:"))
                usage.memoryMb += entry.mid(4).trimmed().split(' ').value(0).toDouble() / 1024;
        }
    }
    return usage;
}

double highestMb = 0;

// The steps as the page's changes (frames false) or as the frames that show them.
Figures figures(const QJsonArray &recorded, bool frames)
{
    Figures run;
    Schedule schedule;
    int series = 0;
    for (const QJsonValue &value : recorded) {
        // The step shows the interval it was counted with.
        const QJsonObject step = value.toObject();
        schedule.step(step.value("interval").toInt());
        const double at = step.value(frames ? "frame" : "changed").toDouble();
        run.steps.push_back(schedule.stamp(std::int64_t(at * 1e6)));
        if (step.value("pause").toBool()) {
            const bool blockEnds = ++series % pacing::seriesPerBlock == 0;
            schedule.pause(blockEnds ? pacing::pauseAfterBlock : pacing::pauseAfterSeries);
        }
    }
    return run;
}

// One run: the interval typed into the settings window and Start pressed with Alt+S, or the
// flasher opened with the interval in its address, until as many steps as wanted have been seen.
std::pair<Figures, Figures> runExercise(Browser &browser, const QString &address, bool typed,
                                        int interval, int wanted)
{
    browser.request(
        {{"do", "open"},
         {"url", typed ? address : address + "?interval=" + QString::number(interval)}});
    if (typed) {
        browser.request({{"do", "keys"}, {"keys", "ctrl+a"}});
        browser.request({{"do", "type"}, {"text", QString::number(interval)}});
        browser.request({{"do", "keys"}, {"keys", "alt+s"}});
    }
    const Usage before = browserUsage();
    QElapsedTimer wall;
    wall.start();
    // Asked seldom and briefly, so that the asking holds the page up as little as it can.
    while (browser.script("return lezomatSteps.length").toInt() <= wanted
           && !wall.hasExpired(180'000))
        QThread::msleep(2000);
    QJsonArray recorded = browser.script("return lezomatSteps").toArray();
    const Usage after = browserUsage();
    highestMb = std::max(highestMb, after.memoryMb);
    // The last step's frame may not have come yet.
    while (recorded.size() > wanted)
        recorded.removeLast();

    std::pair<Figures, Figures> run {figures(recorded, false), figures(recorded, true)};
    for (Figures *seen : {&run.first, &run.second}) {
        seen->realSeconds = double(wall.nsecsElapsed()) / 1e9;
        seen->cpuSeconds = after.cpuSeconds - before.cpuSeconds;
    }
    return run;
}

void measure(Browser &browser, const QString &address, bool typed, const std::string &label)
{
    // A whole block at 200 ms and the first step after it; then a series at the default 2000 ms
    // with its pause and the first step after that.
    const auto block = runExercise(browser, address, typed, 200, 3 * 21 + 1);
    const auto series = runExercise(browser, address, typed, 2000, 21 + 1);
    report((label + ", page changes").c_str(), {block.first, series.first});
    report((label + ", frames").c_str(), {block.second, series.second});
}

// Ten loads of the page, each timed from its navigation to the settings window shown.
void reportStartUp(Browser &browser, const QString &address)
{
    std::vector<double> shown;
    std::vector<double> framed;
    for (int load = 0; load < 10; ++load) {
        browser.request({{"do", "open"}, {"url", address}});
        QJsonArray stamps;
        for (int poll = 0; poll < 100 && stamps.isEmpty(); ++poll) {
            QThread::msleep(20);
            stamps = browser.script("return lezomatSettingsShown").toArray();
        }
        const QJsonObject stamp = stamps.first().toObject();
        shown.push_back(stamp.value("changed").toDouble());
        framed.push_back(stamp.value("frame").toDouble());
    }
    std::printf("start-up to settings window: median %.1f ms, max %.1f ms; its frame: median "
                "%.1f ms (10 loads)\n",
                percentile(shown, 0.5), *std::max_element(shown.begin(), shown.end()),
                percentile(framed, 0.5));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_web PAGE_ADDRESS FLASHER_ADDRESS\n");
        return 2;
    }
    const QString page = QString::fromLocal8Bit(argv[1]);
    const QString flasher = QString::fromLocal8Bit(argv[2]);
    Browser browser("chromium");
    const QJsonObject version
        = browser.request({{"do", "cdp"}, {"command", "Browser.getVersion"}}).toObject();
    std::printf("machine: %d cores; %s\n", QThread::idealThreadCount(),
                qPrintable(version.value("product").toString()));
    browser.request({{"do", "cdp"},
                     {"command", "Page.addScriptToEvaluateOnNewDocument"},
                     {"parameters", QJsonObject {{"source", recorder}}}});
    reportStartUp(browser, page);

    measure(browser, page, true, "idle");
    measure(browser, flasher, false, "flasher idle");
    {
        const BusyCores load;
        measure(browser, page, true, "loaded");
        measure(browser, flasher, false, "flasher loaded");
    }
    std::printf("memory of the browser's processes (proportional set size, summed): at most "
                "%.1f MB\n",
                highestMb);
    return 0;
}
