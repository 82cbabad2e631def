// SPDX-License-Identifier: MIT
// The built program and the built simulator as separate processes, talking HTTP on
// loopback, the way scripts/run starts them.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestProgramE2e : public QObject
{
    Q_OBJECT

private slots:
    void firstPollReachesTheDisplay();
    void cleanup();

private:
    QProcess m_simulator;
    QProcess m_program;
    QTemporaryDir m_folder;
};

void TestProgramE2e::firstPollReachesTheDisplay()
{
    m_simulator.start(QStringLiteral(MIRKAN_SIMULATOR), {u"--stations"_s, u"alpha,beta"_s});
    QTRY_VERIFY_WITH_TIMEOUT(m_simulator.canReadLine(), 10000);
    const QByteArray port = m_simulator.readLine().trimmed();
    QFile ini(QDir(m_folder.path()).filePath(u"Mirkan_DesktopTool.ini"_s));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Konfig]\r\nstations=Alpha; beta ;\r\nhorizontal=0\r\napi_host=127.0.0.1:" + port +
              "\r\n");
    ini.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"MIRKAN_DESKTOPTOOL_DIR"_s, m_folder.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    m_program.setProcessEnvironment(env);
    // The overlay shows the texts; --console prints them, with their time, for us.
    m_program.start(QStringLiteral(MIRKAN_PROGRAM), {u"--console"_s});
    QByteArray out;
    const QRegularExpression shown(uR"(\] ALPHA : \d{4}\n    BETA: \d{4}\n)"_s);
    QTRY_VERIFY_WITH_TIMEOUT(
        shown.match(QString::fromUtf8(out += m_program.readAllStandardOutput())).hasMatch(), 15000);
    QCOMPARE(m_program.state(), QProcess::Running);
    // Reading the settings wrote nothing.
    QCOMPARE(QDir(m_folder.path()).entryList({u"*.ini"_s}, QDir::Files).size(), 1);
}

void TestProgramE2e::cleanup()
{
    for (QProcess *process : {&m_program, &m_simulator}) {
        process->kill();
        process->waitForFinished();
    }
}

QTEST_GUILESS_MAIN(TestProgramE2e)
#include "tst_program_e2e.moc"
