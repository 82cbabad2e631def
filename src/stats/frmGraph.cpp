// SPDX-License-Identifier: MIT
#include "frmGraph.h"

#include "ChartPicture.h"
#include "DialogFont.h"
#include "ListenerHistory.h"
#include "ScreenTwips.h"

#include <QComboBox>
#include <QLabel>
#include <QWindow>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t kCaption[] = u"Statistik";
constexpr char16_t kPrompt[] = u"Bitte eine Station auswählen:";
constexpr char16_t kMinimumCaption[] = u"Hörerzahl Minimum:";
constexpr char16_t kMaximumCaption[] = u"Hörerzahl Maximum:";
constexpr qreal kFormPointSize = 8;
constexpr qreal kComboPointSize = 9.75;

// The layout, in twips (1/1440 inch).
constexpr double kClientWidth = 9585;
constexpr double kClientHeight = 3105;
constexpr double kMinimumOuterWidth = 5550;
constexpr double kMinimumOuterHeight = 3100;
constexpr double kChartLeft = 120;
constexpr double kChartTop = 1320;
constexpr double kChartWidth = 7125;
constexpr double kChartHeight = 1635;
// What the outer size leaves for the chart beside and below it.
constexpr double kChartRightMargin = 500;
constexpr double kChartBottomMargin = 700;

// Chart colours: red + green * 256 + blue * 65536.
constexpr qint32 kBlack = 0;
constexpr qint32 kGreen = 65280;
constexpr qint32 kRed = 255;
constexpr qint32 kTeal = 8421376;

QLabel *newLabel(const QString &name, const QString &text, Qt::GlobalColor colour, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    // Text starts at the label's top, so captions and values of different heights that
    // share a top share a line.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

frmGraph::frmGraph(Sources sources, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_sources(std::move(sources)),
      m_values(std::make_shared<ChartValues>()), m_fillTimer(new QTimer(this))
{
    setObjectName(u"frmGraph"_s);
    setWindowTitle(QString::fromUtf16(kCaption));
    setFont(DialogFont::font(kFormPointSize));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    buildControls();
    setMinimumSize(toPixels(kMinimumOuterWidth, kMinimumOuterHeight));
    resize(toPixels(kClientWidth, kClientHeight));

    m_fillTimer->setObjectName(u"fillTimer"_s);
    m_fillTimer->setTimerType(Qt::PreciseTimer);
    m_fillTimer->setInterval(kFillIntervalMs);
    connect(m_fillTimer, &QTimer::timeout, this, &frmGraph::addNextPoint);
    Form_Load();
}

frmGraph::~frmGraph() = default;

void frmGraph::buildControls()
{
    m_comboStations = new QComboBox(this);
    m_comboStations->setObjectName(u"Combo_stations"_s);
    m_comboStations->setFont(DialogFont::font(kComboPointSize));
    m_comboStations->setGeometry(toPixels(120, 240, 4935, 360));
    // Every choice of the user's, also of the entry already shown (to see the newest
    // counts); the program's own selection of the prompt at load runs nothing.
    connect(m_comboStations, &QComboBox::activated, this, &frmGraph::Combo_stations_Click);

    const QString minimum = QString::fromUtf16(kMinimumCaption);
    const QString maximum = QString::fromUtf16(kMaximumCaption);
    newLabel(u"Label1"_s, minimum, Qt::white, this)->setGeometry(toPixels(120, 720, 1935, 375));
    m_labelMin = newLabel(u"Label_min"_s, u"0"_s, Qt::red, this);
    m_labelMin->setGeometry(toPixels(2280, 720, 2055, 255));
    newLabel(u"Label2"_s, maximum, Qt::white, this)->setGeometry(toPixels(120, 960, 1935, 255));
    m_labelMax = newLabel(u"Label_max"_s, u"0"_s, Qt::red, this);
    m_labelMax->setGeometry(toPixels(2280, 960, 2055, 255));

    m_pic1 = new ChartPicture(this);
    m_pic1->setObjectName(u"PIC1"_s);
    m_pic1->setGeometry(toPixels(kChartLeft, kChartTop, kChartWidth, kChartHeight));
}

void frmGraph::Form_Load()
{
    m_comboStations->addItem(QString::fromUtf16(kPrompt), -1);
    const QStringList names = m_sources.stationNames ? m_sources.stationNames() : QStringList();
    for (qsizetype i = 0; i < names.size(); ++i) {
        m_comboStations->addItem(names[i], int(i));
    }
    m_comboStations->setCurrentIndex(0);
    m_values = std::make_shared<ChartValues>();
    applyChartSettings();
    m_graph->Draw();
    m_loaded = true;
}

void frmGraph::Combo_stations_Click()
{
    if (!m_loaded) {
        return;
    }
    // The previous station's curve ends here, so two stations never share one chart.
    m_fillTimer->stop();
    m_pending = {};
    m_values = std::make_shared<ChartValues>();

    const QString name = m_comboStations->currentText();
    const qint32 highest = m_sources.stationMax ? m_sources.stationMax(name) : 0;
    const qint32 lowest = m_sources.stationMin ? m_sources.stationMin(name) : 0;
    m_labelMax->setText(QString::number(highest));
    m_labelMin->setText(QString::number(lowest));

    applyChartSettings();
    m_graph->setMax_Height(highest);
    m_graph->Draw();
    if (m_comboStations->currentIndex() > 0) {
        fill_curve(name.trimmed());
    }
}

void frmGraph::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

bool frmGraph::event(QEvent *event)
{
    // On X11 the window manager frames the window after it is shown; that neither moves
    // nor resizes the client area, so no resize or move tells of it. What does follow
    // is the window's activation or its next paint.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowActivate:
    case QEvent::UpdateRequest:
        followFrame();
        break;
    default:
        break;
    }
    return QDialog::event(event);
}

void frmGraph::followFrame()
{
    if (outerSize() != m_laidOutFor) {
        Form_Resize();
    }
}

QSize frmGraph::outerSize() const
{
    // Asked of the platform each time: frameGeometry() keeps the frame it saw when the
    // window last moved or resized, which on X11 can be from before the window manager
    // framed it.
    const QWindow *window = windowHandle();
    return window ? size().grownBy(window->frameMargins()) : size();
}

void frmGraph::Form_Resize()
{
    // The least size is an outer one; the frame's share is known once the window has one.
    const QSize outer = outerSize();
    const QSize minimum = toPixels(kMinimumOuterWidth, kMinimumOuterHeight) - (outer - size());
    if (minimum != minimumSize()) {
        setMinimumSize(minimum);
    }
    m_laidOutFor = outer;
    const double widthTwips = outer.width() * ScreenTwips::perPixelX() - kChartRightMargin;
    const double heightTwips =
        outer.height() * ScreenTwips::perPixelY() - kChartTop - kChartBottomMargin;
    m_pic1->setGeometry(toPixels(kChartLeft, kChartTop, widthTwips, heightTwips));
    if (m_graph) {
        m_graph->Draw();
    }
}

void frmGraph::fill_curve(const QString &station)
{
    // Read once: a long history is not searched again for every point.
    m_pending = m_sources.history.counts(station);
    // The chart ends showing only the newest points; the curve starts at the first of
    // them, so it is complete within a second however long the program has run.
    m_nextPending =
        m_pending.size() - std::min(m_pending.size(), std::size_t(clsLineGraph::kPoints));
    if (m_pending.empty()) {
        return;
    }
    // The first point at once, every further one a tick later, so the curve visibly grows
    // while polls and the user's actions go on.
    addNextPoint();
    if (m_nextPending < m_pending.size()) {
        m_fillTimer->start();
    }
}

void frmGraph::addNextPoint()
{
    if (m_nextPending < m_pending.size()) {
        m_values->push_back(double(m_pending[m_nextPending++]));
        m_graph->Draw();
    }
    if (m_nextPending >= m_pending.size()) {
        m_fillTimer->stop();
        m_pending = {};
        m_nextPending = 0;
    }
}

void frmGraph::applyChartSettings()
{
    if (!m_graph) {
        m_graph = std::make_unique<clsLineGraph>();
    }
    m_graph->setPictureBox(m_pic1);
    m_graph->setDataCollection(m_values);
    m_graph->setPicBackground(kBlack);
    m_graph->setPicForeground(kGreen);
    m_graph->setBorderColor(kRed);
    m_graph->setBorderSize(0);
    m_graph->setGridColor(kTeal);
    m_graph->setGridVisible(true);
}

QSize frmGraph::toPixels(double widthTwips, double heightTwips)
{
    return {ScreenTwips::toPixelsX(widthTwips), ScreenTwips::toPixelsY(heightTwips)};
}

QRect frmGraph::toPixels(double left, double top, double width, double height)
{
    return {QPoint(ScreenTwips::toPixelsX(left), ScreenTwips::toPixelsY(top)),
            toPixels(width, height).expandedTo(QSize(0, 0))};
}
