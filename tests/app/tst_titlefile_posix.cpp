// SPDX-License-Identifier: MIT
#include "TestFiles.h"
#include "TitleFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

// A title-file write cut short, as a full disk would, by a file size limit.
class TestTitleFile : public QObject
{
    Q_OBJECT

private slots:
    void shortWriteLeavesNoHalfLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"titel_a.txt"_s);
        QVERIFY(TitleFile::append(path, "first\r\n").isEmpty());
        // Three bytes of the next line fit; with its signal ignored, the write comes back short.
        rlimit old = {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 10;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString error = TitleFile::append(path, "second line\r\n");
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readBytes(path), QByteArray("first\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTitleFile)
#include "tst_titlefile_posix.moc"
