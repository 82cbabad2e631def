// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A virtual X desktop with a tray host for the benchmark's programs: an Xvfb on a
// display it picks itself, trayer docked at the bottom, a scratch program folder, and
// every process started on it, all ended with the desktop.
class BenchDesktop
{
public:
    BenchDesktop();
    ~BenchDesktop();
    BenchDesktop(const BenchDesktop &) = delete;
    BenchDesktop &operator=(const BenchDesktop &) = delete;

    // The first of the tools missing from this machine; empty when all are there.
    static QString missingTool(const QStringList &tools);

    // Starts Xvfb and trayer; an empty text, or what failed.
    QByteArray start();

    // Starts a program on the desktop, in the program folder; nullptr when it did not.
    QProcess *launch(const QString &program, const QStringList &args);

    // Whether a tray icon of the application named name sits in the tray host.
    bool docked(const QString &name) const;

    bool writeIni(const QByteArray &keys) const;
    QString display() const { return m_display; }

private:
    QTemporaryDir m_folder;
    QProcessEnvironment m_env;
    QString m_display;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};
