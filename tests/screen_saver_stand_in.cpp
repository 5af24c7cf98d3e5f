// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Stands in for a desktop's screen saver on the session bus: owns org.freedesktop.ScreenSaver
// and only writes down each call, a line each on its standard output, once it says "ready".

#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>

class ScreenSaver final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public slots:
    uint Inhibit(const QString &application, const QString &reason)
    {
        say(QStringLiteral("Inhibit %1 %2: %3").arg(++m_cookie).arg(application, reason));
        return m_cookie;
    }
    void UnInhibit(uint cookie) { say(QStringLiteral("UnInhibit %1").arg(cookie)); }

private:
    static void say(const QString &line)
    {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    }

    uint m_cookie = 0;
};

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    ScreenSaver saver;
    if (!bus.registerObject("/org/freedesktop/ScreenSaver", &saver, QDBusConnection::ExportAllSlots)
        || !bus.registerService("org.freedesktop.ScreenSaver")) {
        std::fprintf(stderr, "screen_saver_stand_in: no session bus to stand in on\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "screen_saver_stand_in.moc"
