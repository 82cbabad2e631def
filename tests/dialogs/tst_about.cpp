// SPDX-License-Identifier: MIT
#include "BuildInfo.h"
#include "UrlOpener.h"
#include "frmAbout.h"

#include <QAbstractButton>
#include <QEnterEvent>
#include <QLabel>
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
    } else if (step == u"click" || step == u"right-click") {
        QTest::mouseClick(link, step == u"click" ? Qt::LeftButton : Qt::RightButton, {}, in);
    } else if (step == u"release-outside") {
        QTest::mousePress(link, Qt::LeftButton, {}, in);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
    } else {
        qFatal("unknown step %s", qPrintable(step));
    }
}

bool hasPointer(const QLabel *link)
{
    return link->testAttribute(Qt::WA_SetCursor) && !link->cursor().pixmap().isNull();
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
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
        dialog.show();
        QTest::mouseClick(dialog.findChild<QAbstractButton *>(u"cmdOK"_s), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void link_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("underlined");
        QTest::addColumn<int>("opens");
        QTest::newRow("hover") << u"enter"_s << true << 0;
        QTest::newRow("click") << u"enter click"_s << false << 1;
        QTest::newRow("right click") << u"enter right-click"_s << true << 0;
        QTest::newRow("released elsewhere") << u"enter release-outside"_s << true << 0;
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
        QVERIFY(hasPointer(link));
        QCOMPARE(opener.opened, QList<QUrl>(opens, kSite));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
