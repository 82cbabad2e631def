// SPDX-License-Identifier: MIT
#pragma once

#include "Fakes.h"
#include "PlatformSimulator.h"
#include "TestTime.h"

#include <QTest>

// frmMain against the platform simulator on loopback, in a fresh program folder.
struct SimWorld : AppWorld
{
    PlatformSimulator sim;

    // For tests that wait out answers that never come; far from every scripted delay.
    static int shortLimitMs() { return TestTime::ms(700); }

    explicit SimWorld(const QByteArray &keys = {}, int timeoutMs = WebDownloader::kDefaultTimeoutMs)
        : AppWorld(timeoutMs)
    {
        if (!sim.listen()) {
            qFatal("simulator cannot listen");
        }
        writeIni(keys);
    }

    void writeIni(const QByteArray &keys) const
    {
        writeIniFile("[Konfig]\r\napi_host=" + sim.baseUrl().toUtf8() + "\r\n" + keys);
    }

    bool start()
    {
        form.Form_Load();
        return settle();
    }
    bool poll()
    {
        form.check_stations();
        return settle();
    }

    // The tray is busy exactly while a poll runs.
    bool settle()
    {
        return QTest::qWaitFor([this] { return !tray.busy; }, TestTime::patience());
    }

    // document: "listeners" or "current_song".
    int requestsFor(const QString &station, QStringView document = u"listeners") const
    {
        return int(sim.requestLog().count(
            QString(QStringLiteral("GET /station/") + station + u'/' + document)));
    }

    // Until the simulator owes no answer, and a moment more for the program to read the
    // last ones; too short a moment could only hide a fault, never fail a correct program.
    bool drain()
    {
        const bool drained =
            QTest::qWaitFor([this] { return sim.requestsInFlight() == 0; }, TestTime::patience());
        QTest::qWait(50);
        return drained && settle();
    }
};
