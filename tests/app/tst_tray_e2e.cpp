// SPDX-License-Identifier: MIT
// The built program on a virtual desktop, its icon in a small tray host (trayer) or in a
// panel speaking D-Bus (Xfce's).
#include "DesktopSession.h"
#include "TestFiles.h"

#include <QImage>

using namespace Qt::StringLiterals;

namespace {

// The icon's window inside the tray host, indented deeper than the top-level windows.
QRect dockedIcon(DesktopSession &desktop)
{
    return desktop.window(uR"(\n {8,}0x[0-9a-f]+ "Mirkan_DesktopTool": )"_s);
}

enum class End
{
    Sigterm,
    SessionEnds,
    MenuWithSettingsOpen, // "Beenden" while the settings window is open, under openbox
    PanelMenu,            // "Beenden" in the own menu of a panel that speaks D-Bus
};

// A panel at the bottom with nothing but its notification area, which hosts status
// notifier items over D-Bus.
constexpr char kPanelLayout[] = R"(<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="size" type="uint" value="30"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
)";

bool startPanel(DesktopSession &desktop)
{
    // The panel reads its layout through a settings service that the bus starts.
    const QString config = QDir(desktop.folder()).filePath(u"config"_s);
    const QString channels = config + u"/xfce4/xfconf/xfce-perchannel-xml"_s;
    if (!QDir().mkpath(channels) || !writeBytes(channels + u"/xfce4-panel.xml"_s, kPanelLayout)) {
        return false;
    }
    desktop.setEnv(u"XDG_CONFIG_HOME"_s, config);
    // Settled once its strip shows, as on a desktop where the panel came first.
    const auto strip = [&desktop] {
        return desktop.window(uR"("xfce4-panel": \(.*\)  (?=1280x))"_s).isValid();
    };
    return desktop.startSessionBus() &&
           desktop.start(u"xfce4-panel"_s, {u"--disable-wm-check"_s}) != nullptr &&
           QTest::qWaitFor(strip, TestTime::patience());
}

// The program's orange icon in the left half of the panel's strip at the bottom of the
// screen; the overlay's orange text lies over the strip's right end.
QRect iconInPanel(DesktopSession &desktop)
{
    QImage screen;
    screen.loadFromData(desktop.run(u"import"_s, {u"-window"_s, u"root"_s, u"png:-"_s}), "PNG");
    for (int y = screen.height() - 30; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width() / 2; ++x) {
            const QRgb p = screen.pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) > 100 && qGreen(p) < 170 && qBlue(p) < 80) {
                return {x, y, 1, 1};
            }
        }
    }
    return {};
}

// The program on the desktop with its icon docked and its first poll made.
class TrayProgram
{
public:
    explicit TrayProgram(DesktopSession &desktop) : m_desktop(desktop) {}

    bool start(End end)
    {
        const bool panel = end == End::PanelMenu;
        if (!m_desktop.startX() ||
            (end == End::MenuWithSettingsOpen && !m_desktop.startWindowManager())) {
            return false;
        }
        if (panel ? !startPanel(m_desktop)
                  : !m_desktop.start(u"trayer"_s,
                                     {u"--edge"_s, u"bottom"_s, u"--align"_s, u"right"_s,
                                      u"--widthtype"_s, u"request"_s, u"--height"_s, u"28"_s})) {
            return false;
        }
        const int patience = TestTime::patience();
        m_simulator = m_desktop.start(QStringLiteral(MIRKAN_SIMULATOR), {u"--log"_s});
        if (!m_simulator ||
            !QTest::qWaitFor([this] { return m_simulator->canReadLine(); }, patience)) {
            return false;
        }
        m_desktop.writeIni(
            "stations=alpha\r\napi_host=127.0.0.1:" + m_simulator->readLine().trimmed() + "\r\n");
        m_program = m_desktop.start(QStringLiteral(MIRKAN_PROGRAM), {});
        // Settled once the icon and the overlay show (a window manager maps the overlay
        // in its own time), so a menu counts as one more window.
        const auto icon = [this, panel] {
            return (m_icon = panel ? iconInPanel(m_desktop) : dockedIcon(m_desktop)).isValid();
        };
        return m_program && QTest::qWaitFor(icon, patience) &&
               QTest::qWaitFor([this] { return polls() == 1; }, patience) &&
               (panel || QTest::qWaitFor([this] { return windowsOfTheProgram() == 2; }, patience));
    }

    QProcess &program() { return *m_program; }

    // Listener requests the simulator has answered so far.
    int polls()
    {
        m_log += m_simulator->readAll();
        return int(m_log.count("GET /station/alpha/listeners"));
    }

    // A double-click polls once. On a busy machine the two clicks may come further apart
    // than a double-click; they did nothing, and the double-click is tried again.
    bool doubleClickPolls()
    {
        const int before = polls();
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (clickIcon(u"1"_s, 2) != 0) {
                return false;
            }
            if (QTest::qWaitFor([&] { return polls() > before; }, TestTime::ms(5000))) {
                return polls() == before + 1;
            }
        }
        return false;
    }

    int clickIcon(const QString &button, int times = 1)
    {
        // The tray host may have moved since the icon docked.
        if (const QRect now = dockedIcon(m_desktop); now.isValid()) {
            m_icon = now;
        }
        // The pointer leaves at once: resting on the icon it would bring up the tip, one
        // more window of the program.
        return m_desktop.status(u"xdotool"_s, {u"mousemove"_s, QString::number(m_icon.center().x()),
                                               QString::number(m_icon.center().y()), u"click"_s,
                                               u"--repeat"_s, QString::number(times), u"--delay"_s,
                                               u"80"_s, button, u"mousemove"_s, u"0"_s, u"0"_s});
    }

    int windowsOfTheProgram() { return lines({u"--class"_s, u"Mirkan_DesktopTool"_s}, true); }

    // Windows titled exactly title: all of them, or the mapped ones only.
    int windowsTitled(const QString &title, bool visibleOnly)
    {
        return lines({u"--name"_s, u'^' + title + u'$'}, visibleOnly);
    }

    // Opens the menu with the right button and picks an entry by keys.
    bool choose(const QStringList &keys)
    {
        const int before = windowsOfTheProgram();
        if (clickIcon(u"3"_s) != 0 ||
            !QTest::qWaitFor([&] { return windowsOfTheProgram() == before + 1; },
                             TestTime::patience())) {
            return false;
        }
        return m_desktop.status(u"xdotool"_s, QStringList{u"key"_s} + keys) == 0;
    }

private:
    int lines(const QStringList &query, bool visibleOnly)
    {
        QStringList args{u"search"_s};
        if (visibleOnly) {
            args << u"--onlyvisible"_s;
        }
        return int(m_desktop.run(u"xdotool"_s, args + query).count('\n'));
    }

    DesktopSession &m_desktop;
    QProcess *m_simulator = nullptr;
    QProcess *m_program = nullptr;
    QRect m_icon;
    QByteArray m_log;
};

const QString kSettings = u"Einstellungen"_s;

void expectCleanEnd(QProcess &program, const QString &folder)
{
    QVERIFY(program.waitForFinished(TestTime::patience()));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!QFile::exists(QDir(folder).filePath(u"Mirkan_DesktopTool.lock"_s)));
}

} // namespace

class TestTrayE2E : public QObject
{
    Q_OBJECT

private slots:
    void iconMenuAndEnd_data()
    {
        QTest::addColumn<End>("end");
        QTest::newRow("SIGTERM") << End::Sigterm;
        // Nothing failed: the program ends with its session and leaves the folder free.
        QTest::newRow("the X server goes away") << End::SessionEnds;
        QTest::newRow("Beenden with the settings open") << End::MenuWithSettingsOpen;
        QTest::newRow("Beenden in a D-Bus panel") << End::PanelMenu;
    }

    void iconMenuAndEnd()
    {
        QFETCH(End, end);
        const bool settings = end == End::MenuWithSettingsOpen;
        QStringList tools{u"Xvfb"_s, u"xdotool"_s, u"xwininfo"_s};
        tools << (end == End::PanelMenu
                      ? QStringList{u"xfce4-panel"_s, u"dbus-daemon"_s, u"import"_s}
                      : QStringList{u"trayer"_s});
        if (const QString missing =
                DesktopSession::missingTool(settings ? tools << u"openbox"_s : tools);
            !missing.isEmpty()) {
            QSKIP(qPrintable(u"needs "_s + missing + u" (scripts/setup)"_s));
        }
        DesktopSession desktop;
        TrayProgram tray(desktop);
        QVERIFY(tray.start(end));
        if (settings) {
            // "Einstellungen" is the menu's first entry.
            QVERIFY(tray.choose({u"Down"_s, u"Return"_s}));
            QTRY_COMPARE_WITH_TIMEOUT(tray.windowsTitled(kSettings, true), 1, TestTime::patience());
        }

        if (end == End::PanelMenu) {
            // Such a panel reports a click as the one activation, so that click polls.
            QCOMPARE(tray.clickIcon(u"1"_s), 0);
            QTRY_COMPARE_WITH_TIMEOUT(tray.polls(), 2, TestTime::patience());
        } else {
            QVERIFY(tray.doubleClickPolls());
            QVERIFY(tray.choose({u"Escape"_s}));
        }

        switch (end) {
        case End::Sigterm:
            tray.program().terminate();
            break;
        case End::SessionEnds:
            QVERIFY(desktop.stopX());
            expectCleanEnd(tray.program(), desktop.folder());
            return;
        case End::MenuWithSettingsOpen: {
            // Minimised, the window has no taskbar entry; the menu brings the same one back.
            QCOMPARE(desktop.status(u"xdotool"_s, {u"search"_s, u"--name"_s,
                                                   u'^' + kSettings + u'$', u"windowminimize"_s}),
                     0);
            QTRY_COMPARE_WITH_TIMEOUT(tray.windowsTitled(kSettings, true), 0, TestTime::patience());
            QVERIFY(tray.choose({u"Down"_s, u"Return"_s}));
            QTRY_COMPARE_WITH_TIMEOUT(tray.windowsTitled(kSettings, true), 1, TestTime::patience());
            QCOMPARE(tray.windowsTitled(kSettings, false), 1);
            // "Beenden" is the menu's last entry.
            QVERIFY(tray.choose({u"Up"_s, u"Return"_s}));
            break;
        }
        case End::PanelMenu: {
            // The panel draws its own menu from the program's; "Beenden" is the last entry.
            const int windows = desktop.visibleWindows();
            QCOMPARE(tray.clickIcon(u"3"_s), 0);
            QTRY_VERIFY_WITH_TIMEOUT(desktop.visibleWindows() > windows, TestTime::patience());
            QCOMPARE(desktop.status(u"xdotool"_s, {u"key"_s, u"Up"_s, u"Return"_s}), 0);
            break;
        }
        }
        expectCleanEnd(tray.program(), desktop.folder());
    }
};

QTEST_GUILESS_MAIN(TestTrayE2E)
#include "tst_tray_e2e.moc"
