// SPDX-License-Identifier: MIT
// Saving the INI file when the system says no, and when the saving process dies: the
// old file stays whole, no temporary stays behind, and the caller learns why.
#include "FileReplacer.h"
#include "IniFile.h"
#include "KonfigKeys.h"
#include "TestFiles.h"
#include "TestTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using FileReplacer::Step;

namespace {

const QString kSection = u"Konfig"_s;

// A user's file of about 10 KB: comments, other sections, and our keys with other values.
QByteArray usersFile()
{
    QByteArray bytes =
        "; Meine Einstellungen\r\n[Konfig]\r\nstations=eins;zwei\r\nText_Size=20\r\n";
    bytes += "\r\n[Notizen]\r\n";
    for (int i = 0; bytes.size() < 10'000; ++i) {
        bytes += "zeile" + QByteArray::number(i) + "=" + QByteArray(60, 'n') + "\r\n";
    }
    return bytes;
}

// Every key, in one of two sets of values whose lengths differ, so a mixture shows.
IniFile::Writes allKeys(int variant)
{
    IniFile::Writes writes;
    for (const KonfigKeys::Key &key : KonfigKeys::all()) {
        writes.emplace_back(key.name, variant == 0 ? u"a"_s : u"bbbbbbbbbbbbbbbbbbbb"_s);
    }
    return writes;
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    return process.waitForFinished(TestTime::patience()) &&
           process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A small file system of its own, for a disk that fills up or turns read-only.
struct Tmpfs
{
    QTemporaryDir dir;
    bool mounted = false;

    bool mount()
    {
        mounted =
            run(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, dir.path()});
        return mounted;
    }
    ~Tmpfs()
    {
        if (mounted) {
            run(u"umount"_s, {dir.path()});
        }
    }
};

void fill(const QString &folder)
{
    QFile filler(QDir(folder).filePath(u"filler"_s));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return;
    }
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
}

// Runs save with the file size limit at limit bytes: EFBIG then, instead of a killed process.
template <typename F> void withFileSizeLimit(rlim_t limit, F save)
{
    rlimit old = {};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &old) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = old;
    lower.rlim_cur = limit;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &lower) == 0);
    save();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}

// The child of killedSave: dies before the step, or for "loop" saves both sets by turns.
int childSave(const QString &path, const QString &what)
{
    if (what == u"loop"_s) {
        for (int i = 0;; ++i) {
            IniFile::save(kSection, allKeys(i % 2), path);
            if (i == 1) {
                if (::write(1, "saving\n", 7) != 7) {
                    return 1;
                }
            }
        }
    }
    const int step = what.toInt();
    IniFile::save(kSection, allKeys(0), path, [step](Step at) {
        if (int(at) == step) {
            std::raise(SIGKILL);
        }
        return 0;
    });
    return 0;
}

} // namespace

class TestIniSave : public QObject
{
    Q_OBJECT

private slots:
    void failedSaveKeepsFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("step");  // where the hook fails the save, -1 for a real fault
        QTest::addColumn<int>("error"); // the error number the hook gives
        QTest::addColumn<QString>("reason");

        QTest::newRow("full disk")
            << u"full"_s << -1 << 0 << u"Auf dem Datenträger ist kein Platz mehr frei."_s;
        QTest::newRow("read-only file system")
            << u"read-only"_s << -1 << 0 << u"Der Datenträger ist schreibgeschützt."_s;
        QTest::newRow("file size limit")
            << u"limit"_s << -1 << 0 << u"Die Datei wäre größer, als das System erlaubt."_s;
        QTest::newRow("folder gone")
            << u"gone"_s << -1 << 0 << u"Der Ordner ist nicht vorhanden."_s;
        QTest::newRow("create refused")
            << u"hook"_s << int(Step::Create) << EACCES << u"Zugriff verweigert."_s;
        QTest::newRow("write") << u"hook"_s << int(Step::Write) << ENOSPC
                               << u"Auf dem Datenträger ist kein Platz mehr frei."_s;
        QTest::newRow("sync") << u"hook"_s << int(Step::Sync) << EIO
                              << u"Ein-/Ausgabefehler beim Zugriff auf den Datenträger."_s;
        QTest::newRow("close") << u"hook"_s << int(Step::Close) << EDQUOT
                               << qt_error_string(EDQUOT);
        QTest::newRow("rename") << u"hook"_s << int(Step::Rename) << EXDEV
                                << qt_error_string(EXDEV);
    }

    void failedSaveKeepsFile()
    {
        QFETCH(QString, fault);
        QFETCH(int, step);
        QFETCH(int, error);
        Tmpfs disk;
        QTemporaryDir plain;
        const bool needsMount = fault == u"full"_s || fault == u"read-only"_s;
        if (needsMount && !disk.mount()) {
            QSKIP("cannot mount a file system of its own here");
        }
        const QString folder = needsMount ? disk.dir.path() : plain.path();
        const QString path = QDir(folder).filePath(u"Mirkan_DesktopTool.ini"_s);
        const QByteArray before = usersFile();
        QVERIFY(writeBytes(path, before));
        if (fault == u"full"_s) {
            fill(folder);
        } else if (fault == u"read-only"_s &&
                   !run(u"mount"_s, {u"-o"_s, u"remount,ro"_s, folder})) {
            QSKIP("cannot make the file system read-only");
        }
        const QStringList names = entries(folder);

        FileReplacer::Result result;
        const auto save = [&] {
            result = IniFile::save(kSection, allKeys(1), path,
                                   [&](Step at) { return int(at) == step ? error : 0; });
        };
        if (fault == u"limit"_s) {
            withFileSizeLimit(rlim_t(before.size()), save);
        } else if (fault == u"gone"_s) {
            const QString elsewhere = QDir(folder).filePath(u"gone/Mirkan_DesktopTool.ini"_s);
            result = IniFile::save(kSection, allKeys(1), elsewhere);
        } else {
            save();
        }

        QVERIFY(!result.ok());
        QTEST(result.error, "reason");
        QVERIFY(!result.systemError.isEmpty());
        QCOMPARE(readBytes(path), before);
        QCOMPARE(entries(folder), names);
    }

    void killedSave_data()
    {
        QTest::addColumn<QString>("what"); // for the child: a step to die at, or "loop"
        QTest::addColumn<int>("delay");    // ms the loop runs before the kill
        for (const Step step : {Step::Create, Step::Write, Step::Sync, Step::Close, Step::Rename}) {
            QTest::addRow("killed before step %d", int(step)) << QString::number(int(step)) << 0;
        }
        for (const int delay : {0, 1, 3, 7, 15, 40}) {
            QTest::addRow("saving in a loop, killed after %d ms", delay) << u"loop"_s << delay;
        }
    }

    // A child process saves and is killed: the file is the old one or a new one, never a
    // mixture; the next save removes what the dead one left, and nothing else.
    void killedSave()
    {
        QFETCH(QString, what);
        QFETCH(int, delay);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Mirkan_DesktopTool.ini"_s);
        const QByteArray before = usersFile();
        const QStringList bystanders = {u"Mirkan_DesktopTool.ini.backup"_s,
                                        u"Mirkan_DesktopTool.ini.save-12345"_s,
                                        u"other.ini.save-ABCDEF"_s};
        for (const QString &name : bystanders) {
            QVERIFY(writeBytes(dir.filePath(name), "keep"));
        }
        QVERIFY(writeBytes(path, before));
        QVERIFY(IniFile::save(kSection, allKeys(0), path).ok());
        const QByteArray savedA = readBytes(path);
        QVERIFY(IniFile::save(kSection, allKeys(1), path).ok());
        const QByteArray savedB = readBytes(path);
        QVERIFY(writeBytes(path, before));

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {u"--child-save"_s, path, what});
        QVERIFY(child.waitForStarted());
        if (what == u"loop"_s) {
            QVERIFY(child.waitForReadyRead(TestTime::patience()));
            QThread::msleep(delay);
            child.kill();
        }
        QVERIFY(child.waitForFinished(TestTime::patience()));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QByteArray after = readBytes(path);
        if (what != u"loop"_s) {
            QCOMPARE(after, before);
        } else if (after != savedA && after != savedB) {
            QFAIL(qPrintable(u"the file is a mixture of saves, %1 bytes"_s.arg(after.size())));
        }

        QVERIFY(IniFile::save(kSection, allKeys(0), path).ok());
        QCOMPARE(readBytes(path), savedA);
        QStringList expected = bystanders;
        expected << u"Mirkan_DesktopTool.ini"_s;
        expected.sort();
        QCOMPARE(entries(dir.path()), expected);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--child-save") {
        return childSave(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    TestIniSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_inisave.moc"
