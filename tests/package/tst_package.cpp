// SPDX-License-Identifier: MIT
// Builds the .deb from this build folder, unpacks it as dpkg would install it and
// checks what a user gets: the files, the declared dependencies and a program that runs.
#include "BuildInfo.h"
#include "TestFiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kId = u"example.mirkan_desktoptool.DesktopTool"_s;
const QString kEntry = u"usr/share/applications/"_s + kId + u".desktop"_s;

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end (ctest keeps Qt offscreen); exitCode -1 if it did not end normally.
Run run(const QString &program, const QStringList &arguments, int timeoutMs = 60'000)
{
    QProcess process;
    process.start(program, arguments);
    const bool ended =
        process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()) + process.errorString()};
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // cpack's Debian generator needs these for the package and its library dependencies.
        for (const QString &tool : {u"dpkg-deb"_s, u"dpkg-shlibdeps"_s, u"file"_s}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                QSKIP(qPrintable(tool + u" is not installed"_s));
            }
        }
        QVERIFY(m_scratch.isValid());
        const QString out = m_scratch.filePath(u"out"_s);
        const Run cpack = run(
            QStringLiteral(MIRKAN_CPACK_COMMAND),
            {u"-G"_s, u"DEB"_s, u"--config"_s, QStringLiteral(MIRKAN_CPACK_CONFIG), u"-B"_s, out},
            150'000);
        QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.out + cpack.err));
        const QStringList debs = QDir(out).entryList({u"*.deb"_s}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        QVERIFY2(debs.first().startsWith(u"mirkan-desktoptool_" MIRKAN_VERSION "_"_s),
                 qPrintable(debs.first()));
        m_deb = QDir(out).filePath(debs.first());
        m_root = m_scratch.filePath(u"root"_s);
        const Run extract = run(u"dpkg-deb"_s, {u"-x"_s, m_deb, m_root});
        QVERIFY2(extract.exitCode == 0, qPrintable(extract.err));
    }

    // Exactly these files: nothing missing, and no test, benchmark or tool slipping in.
    void files()
    {
        const QString icons = u"usr/share/icons/hicolor/"_s;
        QStringList expected{
            u"usr/bin/Mirkan_DesktopTool"_s,
            kEntry,
            u"usr/share/doc/mirkan-desktoptool/changelog.gz"_s,
            u"usr/share/doc/mirkan-desktoptool/copyright"_s,
            u"usr/share/man/man1/Mirkan_DesktopTool.1.gz"_s,
            icons + u"16x16/apps/mirkan-desktoptool.png"_s,
            icons + u"32x32/apps/mirkan-desktoptool.png"_s,
            icons + u"48x48/apps/mirkan-desktoptool.png"_s,
            icons + u"scalable/apps/mirkan-desktoptool.svg"_s,
            u"usr/share/metainfo/"_s + kId + u".metainfo.xml"_s,
        };
        expected.sort();
        QCOMPARE(filesBelow(m_root), expected);
    }

    void programRuns()
    {
        const Run version = run(m_root + u"/usr/bin/Mirkan_DesktopTool"_s, {u"--version"_s});
        QCOMPARE(version.out, u"Mirkan DesktopTool " MIRKAN_VERSION "\n"_s);
        QVERIFY2(version.exitCode == 0, qPrintable(version.err));
    }

    // The menu runs Exec from PATH with no argument (any ends the program), Icon from the theme.
    void desktopEntryStartsTheProgram()
    {
        QFile entry(m_root + u'/' + kEntry);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = entry.readAll().split('\n');
        QVERIFY(lines.contains("Exec=Mirkan_DesktopTool"));
        QVERIFY(lines.contains("Icon=mirkan-desktoptool"));
    }

    // dpkg-shlibdeps found Qt; the typeface (opened by path) and Qt's German texts by hand.
    void depends()
    {
        const QString fields =
            run(u"dpkg-deb"_s, {u"-f"_s, m_deb, u"Depends"_s, u"Recommends"_s}).out;
        for (const QString &package :
             {u"libqt6widgets6"_s, u"fonts-wine"_s, u"qt6-translations-l10n"_s}) {
            // The whole name, which may be followed by a version: "libqt6widgets6 (>= 6.4.2)".
            const QRegularExpression relation(u"[:,] "_s + package + u"\\b(?!-)"_s);
            QVERIFY2(fields.contains(relation), qPrintable(fields));
        }
    }

    // Menus and software centres read these files; each validator must accept its own.
    void validators()
    {
        const QString metainfo = u"/usr/share/metainfo/"_s + kId + u".metainfo.xml"_s;
        for (const QStringList &command :
             {QStringList{u"desktop-file-validate"_s, m_root + u'/' + kEntry},
              QStringList{u"appstreamcli"_s, u"validate"_s, u"--no-net"_s, m_root + metainfo}}) {
            if (QStandardPaths::findExecutable(command.first()).isEmpty()) {
                QSKIP(qPrintable(command.first() + u" is not installed"_s));
            }
            const Run check = run(command.first(), command.mid(1));
            QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));
        }
    }

private:
    QTemporaryDir m_scratch;
    QString m_deb;
    QString m_root;
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
