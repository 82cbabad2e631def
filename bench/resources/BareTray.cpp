// SPDX-License-Identifier: MIT
// bench_resources_bare: the least a Qt tray program with a floating text can be,
// the yardstick of bench_resources. One tray icon whose tooltip changes every
// second, one frameless translucent window showing a line of text, nothing else.
#include <QApplication>
#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bench_resources_bare"));

    QPixmap picture(32, 32);
    picture.fill(QColor(0xeb, 0x86, 0x20));
    QSystemTrayIcon tray{QIcon(picture)};
    tray.show();

    QLabel text(QStringLiteral("alpha: 0123"));
    text.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    text.setAttribute(Qt::WA_TranslucentBackground);
    text.setStyleSheet(QStringLiteral("font: bold 18px; color: #eb8620;"));
    text.show();

    int left = 60;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &tray, [&] {
        left = left > 1 ? left - 1 : 60;
        tray.setToolTip(QStringLiteral("next update in %1 seconds").arg(left));
    });
    tick.start(1000);
    return QApplication::exec();
}
