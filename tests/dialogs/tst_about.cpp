// SPDX-License-Identifier: MIT
#include "BuildInfo.h"
#include "ProgramIcons.h"
#include "UrlOpener.h"
#include "frmAbout.h"

#include <QAbstractButton>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QUrl kSite(u"https://mirkan-desktoptool.example/"_s);

class RecordingOpener final : public UrlOpener
{
public:
    bool open(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }

    QList<QUrl> opened;
};

// One gesture of the mouse on the link, by name, so a table row reads as what the user did.
void act(QLabel *link, const QString &step)
{
    const QPoint in = link->rect().center();
    if (step == u"enter") {
        QEnterEvent event(in, in, link->mapToGlobal(in));
        QApplication::sendEvent(link, &event);
    } else if (step == u"leave") {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(link, &event);
    } else if (step == u"move") {
        QMouseEvent event(QEvent::MouseMove, in, link->mapToGlobal(in), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(link, &event);
    } else if (step == u"click" || step == u"right-click") {
        QTest::mouseClick(link, step == u"click" ? Qt::LeftButton : Qt::RightButton, {}, in);
    } else if (step == u"release-outside") {
        QTest::mousePress(link, Qt::LeftButton, {}, in);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
    } else if (step == u"release-only") {
        QTest::mouseRelease(link, Qt::LeftButton, {}, in);
    } else {
        qFatal("unknown step %s", qPrintable(step));
    }
}

bool hasPointer(const QLabel *link)
{
    return link->testAttribute(Qt::WA_SetCursor) && !link->cursor().pixmap().isNull();
}

QImage image(const QIcon &icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    // The busy tray icon is another picture than the program's.
    void looksAndOkCloses()
    {
        RecordingOpener opener;
        frmAbout dialog(opener);
        QStringList texts{dialog.windowTitle()};
        for (const char *name : {"lblTitle", "lblVersion", "lblDescription", "Label3", "Label1"}) {
            texts << dialog.findChild<QLabel *>(QLatin1StringView(name))->text();
        }
        texts << dialog.findChild<QAbstractButton *>(u"cmdOK"_s)->text();
        QCOMPARE(texts, (QStringList{u"Info zu Mirkan DesktopTool"_s, u"Mirkan DesktopTool"_s,
                                     u"Version " MIRKAN_VERSION ""_s,
                                     u"Diese Programm zeigt die Hörerzahlen ein oder mehrere "
                                     u"Mirkan Stationen auf dem Desktop an."_s,
                                     u"Auf der Webseite gibt es auch einen Spende-Button :)"_s,
                                     kSite.toString(), u"OK"_s}));
        QCOMPARE(dialog.findChild<QLabel *>(u"Picture1"_s)->pixmap().size(), QSize(380, 152));
        const QLabel *link = dialog.findChild<QLabel *>(u"Label1"_s);
        QVERIFY(!link->font().underline() && !hasPointer(link)); // until hovered
        QCOMPARE(image(dialog.windowIcon(), 32), image(ProgramIcons::program(), 32));
        for (const int size : {16, 32}) {
            QVERIFY(image(ProgramIcons::busy(), size) != image(ProgramIcons::program(), size));
        }
        dialog.show();
        QTest::mouseClick(dialog.findChild<QAbstractButton *>(u"cmdOK"_s), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void link_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("underlined");
        QTest::addColumn<bool>("pointer");
        QTest::addColumn<int>("opens");
        constexpr bool Underlined = true, Plain = false, Pointer = true, Normal = false;
        const auto row = [](const char *name, const QString &steps, bool underlined, bool pointer,
                            int opens) {
            QTest::newRow(name) << steps << underlined << pointer << opens;
        };
        row("hover", u"enter"_s, Underlined, Pointer, 0);
        row("click", u"enter click"_s, Plain, Pointer, 1);
        row("click, move on", u"enter click move"_s, Underlined, Pointer, 1);
        row("click, leave", u"enter click leave"_s, Plain, Normal, 1);
        row("two clicks", u"enter click click"_s, Plain, Pointer, 2);
        row("right click", u"enter right-click"_s, Underlined, Pointer, 0);
        row("released elsewhere", u"enter release-outside"_s, Underlined, Pointer, 0);
        row("pressed elsewhere", u"enter release-only"_s, Underlined, Pointer, 0);
    }

    void link()
    {
        QFETCH(QString, steps);
        QFETCH(int, opens);
        RecordingOpener opener;
        frmAbout dialog(opener);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *link = dialog.findChild<QLabel *>(u"Label1"_s);

        for (const QString &step : steps.split(u' ')) {
            act(link, step);
        }

        QTEST(link->font().underline(), "underlined");
        QTEST(hasPointer(link), "pointer");
        QCOMPARE(opener.opened, QList<QUrl>(opens, kSite));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
