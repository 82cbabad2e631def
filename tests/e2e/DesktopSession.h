// SPDX-License-Identifier: MIT
#pragma once

#include "TestTime.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// A virtual X desktop of its own for an end-to-end test, a program folder, and the
// processes started on it, all ended with the session.
class DesktopSession
{
public:
    DesktopSession()
    {
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        m_env.insert(u"MIRKAN_DESKTOPTOOL_DIR"_s, m_folder.path());
        m_env.insert(u"XDG_RUNTIME_DIR"_s, m_folder.path());
    }

    ~DesktopSession()
    {
        // Killed, the X server would leave its lock and socket and use up display numbers.
        for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
            (*it)->terminate();
            if (!(*it)->waitForFinished(TestTime::ms(3000))) {
                (*it)->kill();
                (*it)->waitForFinished(TestTime::ms(3000));
            }
        }
    }

    // The first tool missing from this machine; empty when the test can run.
    static QString missingTool(const QStringList &tools)
    {
        for (const QString &tool : tools) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                return tool;
            }
        }
        return {};
    }

    // On a display the server picks itself, kept from resetting when its last client leaves.
    bool startX(const QString &size = u"1280x720x24"_s)
    {
        QProcess *x = start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, size,
                                        u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
        if (!x || !QTest::qWaitFor([x] { return x->canReadLine(); }, TestTime::patience())) {
            return false;
        }
        m_x = x;
        m_env.insert(u"DISPLAY"_s, u':' + QString::fromLatin1(x->readLine().trimmed()));
        return QTest::qWaitFor([this] { return status(u"xdpyinfo"_s, {}) == 0; },
                               TestTime::patience());
    }

    // Waits until openbox manages the screen, so it does not move earlier windows.
    bool startWindowManager()
    {
        return start(u"openbox"_s, {}) &&
               QTest::qWaitFor(
                   [this] {
                       return run(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s})
                           .contains("window id");
                   },
                   TestTime::patience());
    }

    QProcess *start(const QString &program, const QStringList &args)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(m_env);
        process->start(program, args);
        if (!process->waitForStarted(TestTime::patience())) {
            return nullptr;
        }
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }

    // A tool run to its end: its standard output, and -1 as exit code after a crash or hang.
    QByteArray run(const QString &program, const QStringList &args, int *exitCode = nullptr)
    {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(program, args);
        const bool finished = p.waitForFinished(TestTime::patience());
        if (exitCode) {
            *exitCode = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        }
        return p.readAllStandardOutput();
    }

    int status(const QString &program, const QStringList &args)
    {
        int code = -1;
        run(program, args, &code);
        return code;
    }

    bool writeIni(const QByteArray &keys)
    {
        QFile ini(QDir(m_folder.path()).filePath(u"Mirkan_DesktopTool.ini"_s));
        return ini.open(QIODevice::WriteOnly) && ini.write("[Konfig]\r\n" + keys) > 0;
    }

    // A window from the X server's own list, whose line there starts with head and goes
    // on "(...)  WxH+X+Y  +X+Y"; an invalid rectangle when there is none.
    QRect window(const QString &head)
    {
        const QRegularExpression line(head +
                                      uR"(.*?(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))"_s);
        const QRegularExpressionMatch m =
            line.match(QString::fromLocal8Bit(run(u"xwininfo"_s, {u"-root"_s, u"-tree"_s})));
        return m.hasMatch() ? QRect(m.captured(3).toInt(), m.captured(4).toInt(),
                                    m.captured(1).toInt(), m.captured(2).toInt())
                            : QRect();
    }

    QString folder() const { return m_folder.path(); }

    // Mapped top-level windows of every client: a popup menu counts as one more.
    int visibleWindows()
    {
        return int(run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--maxdepth"_s, u"1"_s,
                                      u"--name"_s, QString()})
                       .count('\n'));
    }

    // Services the bus starts get the environment set so far.
    bool startSessionBus()
    {
        QProcess *bus = start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--nopidfile"_s,
                                                 u"--print-address=1"_s});
        if (!bus || !QTest::qWaitFor([bus] { return bus->canReadLine(); }, TestTime::patience())) {
            return false;
        }
        setEnv(u"DBUS_SESSION_BUS_ADDRESS"_s, QString::fromLatin1(bus->readLine().trimmed()));
        return true;
    }

    void setEnv(const QString &name, const QString &value) { m_env.insert(name, value); }

    // As the end of a session does, with everything still on it.
    bool stopX()
    {
        if (!m_x) {
            return false;
        }
        m_x->terminate();
        return m_x->waitForFinished(TestTime::patience());
    }

private:
    QTemporaryDir m_folder;
    QProcessEnvironment m_env;
    QProcess *m_x = nullptr;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};
