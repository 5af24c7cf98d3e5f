// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A browser driven through browser.py: requests and their answers, one line of JSON each.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtDebug>

class Browser
{
public:
    // chromium or webkit; WebKit's MiniBrowser needs an X server.
    explicit Browser(const QString &name)
    {
        m_driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_driver.start(QStringLiteral("/usr/bin/python3"), {LEZOMAT_BROWSER_DRIVER, name});
    }
    ~Browser()
    {
        m_driver.write("{\"do\": \"quit\"}\n");
        m_driver.closeWriteChannel();
        if (!m_driver.waitForFinished(20000))
            m_driver.kill();
    }
    Browser(const Browser &) = delete;
    Browser &operator=(const Browser &) = delete;

    // The answer's value; a request that fails is reported and answers null.
    QJsonValue request(QJsonObject request)
    {
        m_driver.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
        while (!m_driver.canReadLine()) {
            if (!m_driver.waitForReadyRead(60000)) {
                qWarning() << "no answer from the browser to" << request;
                return {};
            }
        }
        const QJsonObject answer = QJsonDocument::fromJson(m_driver.readLine()).object();
        if (answer.contains(QLatin1String("error")))
            qWarning() << request.value(QLatin1String("do")).toString()
                       << answer.value(QLatin1String("error")).toString();
        return answer.value(QLatin1String("value"));
    }

    // Runs JavaScript in the page; its return is the answer.
    QJsonValue script(const QString &code, const QJsonArray &arguments = {})
    {
        return request({{"do", "script"}, {"code", code}, {"args", arguments}});
    }

private:
    QProcess m_driver;
};
