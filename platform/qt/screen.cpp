// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/screen.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QFile>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <X11/extensions/scrnsaver.h>

namespace platform {

namespace {

const QString reason = QStringLiteral("Er loopt een Lezomat-oefening");
// Inhibitions wait for their answer no longer than this, so that a service that hangs holds
// nothing up.
constexpr int answerTimeout = 2000; // ms
// GNOME's flag for inhibiting the session's going idle.
constexpr uint idleFlag = 8;

// The desktop's service that keeps the screen on, where there is one: the portal inside a
// sandbox; outside it the freedesktop.org screen saver, which KDE, Xfce and others implement, or
// else GNOME's session manager. A name without an owner is not called, so that a missing service
// costs no time-out.
enum class Desktop { Missing, Portal, ScreenSaver, Gnome };

Desktop desktop(QDBusConnection &bus)
{
    if (!bus.isConnected())
        return Desktop::Missing;
    const auto hasOwner = [&](const char *name) {
        return bus.interface()->isServiceRegistered(QString::fromLatin1(name)).value();
    };
    if (QFile::exists(QStringLiteral("/.flatpak-info")) || qEnvironmentVariableIsSet("SNAP"))
        return hasOwner("org.freedesktop.portal.Desktop") ? Desktop::Portal : Desktop::Missing;
    if (hasOwner("org.freedesktop.ScreenSaver"))
        return Desktop::ScreenSaver;
    return hasOwner("org.gnome.SessionManager") ? Desktop::Gnome : Desktop::Missing;
}

QDBusMessage inhibition(Desktop desktop)
{
    switch (desktop) {
    case Desktop::Portal: {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
            "org.freedesktop.portal.Inhibit", "Inhibit");
        return call << QString() << idleFlag << QVariantMap {{"reason", reason}};
    }
    case Desktop::ScreenSaver: {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
            "org.freedesktop.ScreenSaver", "Inhibit");
        return call << QStringLiteral("Lezomat") << reason;
    }
    case Desktop::Gnome: {
        QDBusMessage call = QDBusMessage::createMethodCall("org.gnome.SessionManager",
                                                           "/org/gnome/SessionManager",
                                                           "org.gnome.SessionManager", "Inhibit");
        return call << QGuiApplication::desktopFileName() << 0u << reason << idleFlag;
    }
    case Desktop::Missing:
        break;
    }
    return {};
}

// What ends the inhibition that the answer to it names.
QDBusMessage endOfInhibition(Desktop desktop, const QDBusMessage &answer)
{
    const QVariant named = answer.arguments().value(0);
    switch (desktop) {
    case Desktop::Portal:
        return QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop",
                                              named.value<QDBusObjectPath>().path(),
                                              "org.freedesktop.portal.Request", "Close");
    case Desktop::ScreenSaver: {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
            "org.freedesktop.ScreenSaver", "UnInhibit");
        return call << named.toUInt();
    }
    case Desktop::Gnome: {
        QDBusMessage call = QDBusMessage::createMethodCall("org.gnome.SessionManager",
                                                           "/org/gnome/SessionManager",
                                                           "org.gnome.SessionManager", "Uninhibit");
        return call << named.toUInt();
    }
    case Desktop::Missing:
        break;
    }
    return {};
}

// The X server's own screen saver, where the program runs on one whose screen saver extension
// can suspend it (version 1.1). The server lifts the suspension by itself when the program goes.
Display *suspendScreenSaver()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!display || !XScreenSaverQueryExtension(display, &event, &error)
        || !XScreenSaverQueryVersion(display, &major, &minor) || major * 100 + minor < 101)
        return nullptr;
    XScreenSaverSuspend(display, True);
    XFlush(display);
    return display;
}

} // namespace

// The desktop drops an inhibition when its caller leaves the bus, so the one connection of the
// program holds it for the whole exercise.
struct ScreenAwake::Native
{
    Display *suspended = nullptr;
    QDBusConnection bus = QDBusConnection::sessionBus();
    Desktop desktop = Desktop::Missing;
    QDBusPendingCall answer = QDBusPendingCall::fromCompletedCall(QDBusMessage());
};

ScreenAwake::ScreenAwake()
    : m_native(std::make_unique<Native>())
{
    m_native->suspended = suspendScreenSaver();
    m_native->desktop = desktop(m_native->bus);
    if (m_native->desktop != Desktop::Missing)
        m_native->answer = m_native->bus.asyncCall(inhibition(m_native->desktop), answerTimeout);
}

ScreenAwake::~ScreenAwake()
{
    if (m_native->suspended) {
        XScreenSaverSuspend(m_native->suspended, False);
        XFlush(m_native->suspended);
    }
    if (m_native->desktop == Desktop::Missing)
        return;
    m_native->answer.waitForFinished();
    const QDBusMessage answer = m_native->answer.reply();
    if (answer.type() == QDBusMessage::ReplyMessage)
        m_native->bus.call(endOfInhibition(m_native->desktop, answer), QDBus::Block, answerTimeout);
}

} // namespace platform
