// SPDX-License-Identifier: MIT
// One running program per folder: a lock in this process, and the built program
// started as real processes that run, are refused, or are killed and replaced.
#include "DisplayText.h"
#include "InstanceLock.h"
#include "KonfigKeys.h"
#include "TestTime.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <list>

using namespace Qt::StringLiterals;

class TestInstanceLock : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QProcess &program : m_programs) {
            program.kill();
            program.waitForFinished();
        }
        m_programs.clear();
    }

    void oneLockPerFolder_data()
    {
        QTest::addColumn<QString>("subfolder");
        QTest::addColumn<bool>("fallback");
        QTest::newRow("in the folder") << QString() << false;
        // A folder that cannot hold a lock file is locked elsewhere, still once only.
        QTest::newRow("missing folder") << u"missing"_s << true;
    }

    void oneLockPerFolder()
    {
        QFETCH(QString, subfolder);
        QFETCH(bool, fallback);
        QTemporaryDir dir;
        const QString folder = subfolder.isEmpty() ? dir.path() : dir.filePath(subfolder);
        InstanceLock first(folder);
        InstanceLock second(folder);
        QCOMPARE(first.tryLock(), InstanceLock::Result::Acquired);
        QCOMPARE(second.tryLock(), InstanceLock::Result::HeldByOther);
        QCOMPARE(QFile::exists(InstanceLock::fallbackPath(folder)), fallback);
        // Another folder is not held, not even through a shared fallback.
        QCOMPARE(InstanceLock(dir.filePath(u"other"_s)).tryLock(), InstanceLock::Result::Acquired);
    }

    void secondStartEndsAtOnce_data()
    {
        QTest::addColumn<bool>("killFirst");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("output"); // on standard output; "" for the refusal
        QTest::newRow("while the first runs") << false << u"--console"_s << QByteArray();
        // SIGKILL leaves the lock file behind with nobody to remove it; the next start
        // takes it over and must then hold it as firmly as the first did.
        QTest::newRow("after the first was killed") << true << u"--console"_s << QByteArray();
        // The command line is read before the lock is asked for.
        QTest::newRow("--version while the first runs")
            << false << u"--version"_s << QByteArray("Mirkan DesktopTool " MIRKAN_VERSION "\n");
    }

    void secondStartEndsAtOnce()
    {
        QFETCH(bool, killFirst);
        QFETCH(QString, option);
        QFETCH(QByteArray, output);
        QTemporaryDir folder;
        QProcess *owner = &start(folder);
        QVERIFY2(waitUntilShowing(*owner), owner->readAllStandardError().constData());
        if (killFirst) {
            owner->kill();
            QVERIFY(owner->waitForFinished());
            QVERIFY(QFile::exists(folder.filePath(QLatin1StringView(InstanceLock::kFileName))));
            owner = &start(folder);
            QVERIFY2(waitUntilShowing(*owner), owner->readAllStandardError().constData());
        }

        QProcess &second = start(folder, {option});
        // A second program that got past the check would run on and never end.
        QVERIFY(second.waitForFinished(TestTime::patience()));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        const QByteArray out = second.readAllStandardOutput();
        QVERIFY2(output.isEmpty() ? out.isEmpty() : out.contains(output), out.constData());
        QCOMPARE(second.readAllStandardError().contains("Mirkan DesktopTool already runs for"),
                 output.isEmpty());
        QCOMPARE(owner->state(), QProcess::Running);
    }

private:
    QProcess &start(const QTemporaryDir &folder, const QStringList &arguments = {u"--console"_s})
    {
        QFile ini(folder.filePath(KonfigKeys::kFileName));
        if (!ini.exists() && ini.open(QIODevice::WriteOnly)) {
            // A port nothing listens on: the program never reaches out beyond this machine.
            ini.write("[Konfig]\r\napi_host=127.0.0.1:1\r\n");
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"MIRKAN_DESKTOPTOOL_DIR"_s, folder.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        QProcess &program = m_programs.emplace_back();
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(MIRKAN_APP_EXECUTABLE), arguments);
        return program;
    }

    // True once the program has got past the lock and shown its first display text.
    static bool waitUntilShowing(QProcess &program)
    {
        const QByteArray noStations = QString::fromUtf16(DisplayText::kNoStations).toUtf8();
        QByteArray out;
        const auto shown = [&] {
            out += program.readAllStandardOutput();
            return out.contains(noStations);
        };
        const auto settled = [&] { return shown() || program.state() == QProcess::NotRunning; };
        return QTest::qWaitFor(settled, TestTime::patience()) && shown();
    }

    std::list<QProcess> m_programs;
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
