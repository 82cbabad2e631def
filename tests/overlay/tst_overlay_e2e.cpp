// SPDX-License-Identifier: MIT
// The built program against the built simulator on a bare X server (Xvfb, no window
// manager, no compositor): the overlay must show the text in its colour and leave
// the desktop visible around and between the letters.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb kDesktop = 0xFF2A5D8F;
constexpr QRgb kOrange = 0xFFEB8620;

class Processes
{
public:
    ~Processes()
    {
        for (QProcess *p : m_all) {
            p->kill();
            p->waitForFinished(3000);
            delete p;
        }
    }
    QProcess *start(const QString &program, const QStringList &args, const QProcessEnvironment &env)
    {
        auto *p = new QProcess;
        p->setProcessEnvironment(env);
        p->start(program, args);
        m_all.append(p);
        return p->waitForStarted(5000) ? p : nullptr;
    }

private:
    QList<QProcess *> m_all;
};

QString freeDisplay()
{
    for (int n = 90; n < 120; ++n) {
        if (!QFile::exists(u"/tmp/.X11-unix/X"_s + QString::number(n)) &&
            !QFile::exists(u"/tmp/.X"_s + QString::number(n) + u"-lock"_s)) {
            return u":"_s + QString::number(n);
        }
    }
    return {};
}

QByteArray run(const QString &program, const QStringList &args, const QProcessEnvironment &env,
               int *status = nullptr)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    const bool finished = p.waitForFinished(10000);
    if (status) {
        *status = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    return p.readAllStandardOutput();
}

int status(const QString &program, const QStringList &args, const QProcessEnvironment &env)
{
    int result = -1;
    run(program, args, env, &result);
    return result;
}

// The overlay's window, from the X server's own list: "Form2": (...)  WxH+X+Y  +X+Y
QRect overlayGeometry(const QProcessEnvironment &env)
{
    const QString tree = QString::fromLocal8Bit(run(u"xwininfo"_s, {u"-root"_s, u"-tree"_s}, env));
    static const QRegularExpression line(
        uR"("Form2".*?(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))"_s);
    const QRegularExpressionMatch m = line.match(tree);
    if (!m.hasMatch()) {
        return {};
    }
    return {m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
            m.captured(2).toInt()};
}

} // namespace

class TestOverlayE2E : public QObject
{
    Q_OBJECT

private slots:
    void overlayOnABareDesktop();
};

void TestOverlayE2E::overlayOnABareDesktop()
{
    for (const auto *tool : {"Xvfb", "xwininfo", "xsetroot", "import"}) {
        if (QStandardPaths::findExecutable(QLatin1StringView(tool)).isEmpty()) {
            QSKIP(qPrintable(u"needs "_s + QLatin1StringView(tool) + u" (scripts/setup)"_s));
        }
    }
    const QString display = freeDisplay();
    QVERIFY(!display.isEmpty());
    QTemporaryDir folder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_s, display);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"MIRKAN_DESKTOPTOOL_DIR"_s, folder.path());
    env.insert(u"XDG_RUNTIME_DIR"_s, folder.path());

    Processes processes;
    QVERIFY(processes.start(
        u"Xvfb"_s,
        {display, u"-screen"_s, u"0"_s, u"1280x800x24"_s, u"-nolisten"_s, u"tcp"_s, u"-noreset"_s},
        env));
    // The socket appears before the server answers; the desktop colour takes once it does.
    QTRY_COMPARE_WITH_TIMEOUT(status(u"xsetroot"_s, {u"-solid"_s, u"#2a5d8f"_s}, env), 0, 10000);

    QProcess *sim = processes.start(QStringLiteral(MIRKAN_SIMULATOR), {}, env);
    QVERIFY(sim);
    QTRY_VERIFY_WITH_TIMEOUT(sim->canReadLine(), 5000);
    const QByteArray port = sim->readLine().trimmed();

    QFile ini(QDir(folder.path()).filePath(u"Mirkan_DesktopTool.ini"_s));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Konfig]\r\nstations=alpha;beta\r\nText_Size=30\r\napi_host=127.0.0.1:" + port +
              "\r\n");
    ini.close();
    QVERIFY(processes.start(QStringLiteral(MIRKAN_PROGRAM), {}, env));

    QRect overlay;
    QTRY_VERIFY_WITH_TIMEOUT((overlay = overlayGeometry(env)).height() > 0, 15000);
    // Two stations, one per line: two lines of 1.25 x 30 pixels, at the lower right.
    QCOMPARE(overlay.height(), 75);
    QCOMPARE(overlay.bottom() + 1, 800);
    QVERIFY(overlay.right() + 1 >= 1278 && overlay.right() + 1 <= 1280);

    QImage screen;
    QTRY_VERIFY_WITH_TIMEOUT(
        screen.loadFromData(run(u"import"_s, {u"-window"_s, u"root"_s, u"png:-"_s}, env), "PNG") &&
            screen.pixel(overlay.right() - 40, overlay.top() + 20) != kDesktop,
        10000);
    int text = 0;
    int desktop = 0;
    for (int y = overlay.top(); y <= overlay.bottom(); ++y) {
        for (int x = overlay.left(); x <= overlay.right(); ++x) {
            const QRgb p = screen.pixel(x, y) | 0xFF000000;
            text += p == kOrange ? 1 : 0;
            desktop += p == kDesktop ? 1 : 0;
        }
    }
    const int area = overlay.width() * overlay.height();
    QVERIFY2(text > 200, qPrintable(QString::number(text)));
    QVERIFY2(desktop > area / 3,
             qPrintable(QString::number(desktop) + u" of "_s + QString::number(area)));
    // The desktop also shows inside the letters' rows, not only around the block.
    QCOMPARE(screen.pixel(overlay.left() + 1, overlay.top() + 1) | 0xFF000000, kDesktop);
}

QTEST_GUILESS_MAIN(TestOverlayE2E)
#include "tst_overlay_e2e.moc"
