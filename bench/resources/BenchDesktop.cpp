// SPDX-License-Identifier: MIT
#include "BenchDesktop.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

BenchDesktop::BenchDesktop() : m_env(QProcessEnvironment::systemEnvironment())
{
    m_env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    m_env.insert(u"MIRKAN_DESKTOPTOOL_DIR"_s, m_folder.path());
    m_env.insert(u"XDG_RUNTIME_DIR"_s, m_folder.path());
}

BenchDesktop::~BenchDesktop()
{
    // Asked to end, Xvfb removes its lock and socket; killed, it would leave them.
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        (*it)->terminate();
        if (!(*it)->waitForFinished(3000)) {
            (*it)->kill();
            (*it)->waitForFinished(3000);
        }
    }
}

QString BenchDesktop::missingTool(const QStringList &tools)
{
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            return tool;
        }
    }
    return {};
}

QByteArray BenchDesktop::start()
{
    // -noreset: the server must outlive the first program that leaves it.
    QProcess *x = launch(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s,
                                     u"1280x720x24"_s, u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
    // Xvfb writes its display number once it takes connections.
    if (!x || !x->waitForReadyRead(10000)) {
        return "Xvfb did not start";
    }
    m_display = u':' + QString::fromLatin1(x->readLine().trimmed());
    m_env.insert(u"DISPLAY"_s, m_display);
    if (!launch(u"trayer"_s, {u"--edge"_s, u"bottom"_s, u"--align"_s, u"right"_s, u"--widthtype"_s,
                              u"request"_s, u"--height"_s, u"28"_s})) {
        return "trayer did not start";
    }
    return {};
}

QProcess *BenchDesktop::launch(const QString &program, const QStringList &args)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(m_env);
    process->setWorkingDirectory(m_folder.path());
    process->start(program, args);
    if (!process->waitForStarted(5000)) {
        return nullptr;
    }
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

bool BenchDesktop::docked(const QString &name) const
{
    QProcess tree;
    tree.setProcessEnvironment(m_env);
    tree.start(u"xwininfo"_s, {u"-root"_s, u"-tree"_s});
    if (!tree.waitForFinished(10000)) {
        return false;
    }
    // The icon's window sits inside the tray host's, indented deeper than the
    // top-level windows and named after the application.
    const QRegularExpression icon(uR"(\n {8,}0x[0-9a-f]+ ")"_s + QRegularExpression::escape(name) +
                                  uR"(": )"_s);
    return icon.match(QString::fromLocal8Bit(tree.readAllStandardOutput())).hasMatch();
}

bool BenchDesktop::writeIni(const QByteArray &keys) const
{
    QFile ini(QDir(m_folder.path()).filePath(u"Mirkan_DesktopTool.ini"_s));
    return ini.open(QIODevice::WriteOnly) && ini.write("[Konfig]\r\n" + keys) > 0;
}
