// SPDX-License-Identifier: MIT
#include "frmAbout.h"

#include "BuildInfo.h"
#include "DialogFont.h"
#include "LinkLabel.h"
#include "ProgramIcons.h"
#include "ProgramInfo.h"
#include "UrlOpener.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t kCaptionPrefix[] = u"Info zu ";
constexpr char16_t kVersion[] = u"Version " MIRKAN_VERSION;
constexpr char16_t kDescription[] =
    u"Diese Programm zeigt die Hörerzahlen ein oder mehrere Mirkan Stationen auf dem Desktop an.";
constexpr char16_t kDonation[] = u"Auf der Webseite gibt es auch einen Spende-Button :)";
constexpr int kIconSize = 48;
constexpr int kHeaderSpacing = 12;
// The fingertip of the pointer picture, in its pixels.
constexpr QPoint kPointerHotSpot{12, 1};

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

frmAbout::frmAbout(UrlOpener &opener, QWidget *parent) : QDialog(parent), m_opener(opener)
{
    setObjectName(u"frmAbout"_s);
    setFont(DialogFont::font());
    setWindowTitle(QString::fromUtf16(kCaptionPrefix) + QString::fromUtf16(ProgramInfo::kTitle));
    setWindowIcon(ProgramIcons::program());
    buildLayout();
}

void frmAbout::buildLayout()
{
    auto *Picture1 = namedLabel(u"Picture1"_s, {}, this);
    Picture1->setPixmap(QPixmap(u":/ui/banner.png"_s));
    Picture1->setAlignment(Qt::AlignCenter);

    auto *Image2 = namedLabel(u"Image2"_s, {}, this);
    Image2->setPixmap(ProgramIcons::program().pixmap(QSize(kIconSize, kIconSize)));
    Image2->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *lblTitle = namedLabel(u"lblTitle"_s, QString::fromUtf16(ProgramInfo::kTitle), this);
    lblTitle->setFont(DialogFont::titleFont());
    auto *lblVersion = namedLabel(u"lblVersion"_s, QString::fromUtf16(kVersion), this);
    auto *lblDescription = namedLabel(u"lblDescription"_s, QString::fromUtf16(kDescription), this);
    lblDescription->setWordWrap(true);
    // The text beside the icon wraps within the banner's width rather than widening the
    // box; its height follows the lines.
    lblDescription->setMaximumWidth(Picture1->pixmap().width() - kIconSize - kHeaderSpacing);

    auto *Line1 = new QFrame(this);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    auto *Label1 = new LinkLabel(QString::fromUtf16(ProgramInfo::kWebAddress), this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setHoverCursor(
        QCursor(QPixmap(u":/ui/pointer-32.png"_s), kPointerHotSpot.x(), kPointerHotSpot.y()));
    connect(Label1, &LinkLabel::activated, this, &frmAbout::openWebSite);
    auto *Label3 = namedLabel(u"Label3"_s, QString::fromUtf16(kDonation), this);

    auto *cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(6);
    texts->addWidget(lblDescription);
    texts->addStretch();

    auto *header = new QHBoxLayout;
    header->setSpacing(kHeaderSpacing);
    header->addWidget(Image2, 0, Qt::AlignTop);
    header->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto *root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->addWidget(Picture1);
    root->addSpacing(4);
    root->addLayout(header);
    root->addWidget(Line1);
    root->addWidget(Label1, 0, Qt::AlignLeft);
    root->addWidget(Label3);
    root->addSpacing(4);
    root->addLayout(buttons);
}

void frmAbout::openWebSite()
{
    // A browser that does not start is not the about box's business.
    m_opener.open(QUrl(QString::fromUtf16(ProgramInfo::kWebAddress)));
}
