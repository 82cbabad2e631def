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

    // The download limit stays far from every scripted answer: the program's own limit
    // where answers come, a short one (scaled with the machine's time factor) where a
    // test waits out answers that never come.
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

    // Starts the program, or polls once more, and waits until the poll has ended.
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

    bool settle()
    {
        // The tray is busy exactly while a poll runs.
        return QTest::qWaitFor([this] { return !tray.isBusy(); }, TestTime::patience());
    }

    // document: "listeners" or "current_song".
    int requestsFor(const QString &station, QStringView document = u"listeners") const
    {
        return int(sim.requestLog().count(
            QString(QStringLiteral("GET /station/") + station + u'/' + document)));
    }

    // Waits until the simulator owes no answer, sent or dropped with its client, and
    // gives the program a moment to read the last ones: an answer it should ignore
    // has had its chance to show. Too short a moment could only hide a fault.
    bool drain()
    {
        const bool drained =
            QTest::qWaitFor([this] { return sim.requestsInFlight() == 0; }, TestTime::patience());
        QTest::qWait(50);
        return drained && settle();
    }
};
