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

    // Hovered, the link is underlined; a click opens the site once and drops the underline.
    void link()
    {
        RecordingOpener opener;
        frmAbout dialog(opener);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *link = dialog.findChild<QLabel *>(u"Label1"_s);
        const QPoint in = link->rect().center();
        QEnterEvent enter(in, in, link->mapToGlobal(in));
        QApplication::sendEvent(link, &enter);
        // Neither the right button nor a press let go beside the link opens the site.
        QTest::mouseClick(link, Qt::RightButton, {}, in);
        QTest::mousePress(link, Qt::LeftButton, {}, in);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(link->font().underline());
        QTest::mouseClick(link, Qt::LeftButton, {}, in);
        QVERIFY(!link->font().underline());
        QCOMPARE(opener.opened, QList<QUrl>{kSite});
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
