// Drawing an error curve with Qt Charts, and finding the point under the mouse.
#include "ui/errorcurve/errorchartview.h"

#include "core/ulang.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>

namespace
{

// Series colours; red is kept for points beyond the limits.
const QColor Palette[] = {QColor(0x1f, 0x5f, 0xbf), QColor(0x2e, 0x8b, 0x3a),
                          QColor(0x7b, 0x3f, 0xa0), QColor(0x8a, 0x5a, 0x2b),
                          QColor(0x13, 0x80, 0x86), QColor(0xd8, 0x8a, 0x00),
                          QColor(0x55, 0x55, 0x55)};
const QColor BeyondLimit(0xe0, 0x00, 0x00);
constexpr qreal MarkerSize = 6;
constexpr qreal BeyondMarkerSize = 9;
constexpr int HoverPixels = 8;
constexpr int BandKinds = 4; // loads with limits: unity, reduced, low inductive, low capacitive

QColor SeriesColour(int index)
{
    return Palette[index % static_cast<int>(std::size(Palette))];
}

// The current axis is logarithmic: points are placed at log10 of the current.
double X(double current)
{
    return std::log10(current);
}

} // namespace

ErrorChartView::ErrorChartView(QWidget* parent)
    : QChartView(parent), m_currentAxis(new QCategoryAxis), m_errorAxis(new QValueAxis),
      m_overflow(new QScatterSeries)
{
    setObjectName(QStringLiteral("ErrorChartView"));
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    QChart* c = chart();
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setAnimationOptions(QChart::NoAnimation);

    m_currentAxis->setTitleText(ULang::CurrentUnit);
    m_currentAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_errorAxis->setTitleText(ULang::MeterErrorPercent);
    m_errorAxis->setTickType(QValueAxis::TicksDynamic);
    m_errorAxis->setTickAnchor(0);
    m_errorAxis->setLabelFormat(QStringLiteral("%g"));
    c->addAxis(m_currentAxis, Qt::AlignBottom);
    c->addAxis(m_errorAxis, Qt::AlignLeft);

    m_overflow->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
    m_overflow->setMarkerSize(BeyondMarkerSize + 2);
    m_overflow->setColor(BeyondLimit);
    m_overflow->setBorderColor(BeyondLimit);
    m_overflow->setPointLabelsFormat(ULang::ErrorOverLimit);
    m_overflow->setPointLabelsVisible(true);
    m_overflow->setPointLabelsClipping(false);
    m_overflow->setPointLabelsColor(BeyondLimit);

    // Series of the same kind are drawn in the order they were added: the bands of all four loads
    // first, below every curve.
    for (int b = 0; b < BandKinds; ++b)
        ShowSeries(Band(b), false);
}

void ErrorChartView::ShowSeries(QAbstractSeries* series, bool shown)
{
    series->setVisible(shown);
    for (QLegendMarker* m : chart()->legend()->markers(series))
        m->setVisible(shown && !series->name().isEmpty());
}

QAreaSeries* ErrorChartView::Band(int index)
{
    while (m_bands.size() <= index) {
        auto* area = new QAreaSeries(new QLineSeries, new QLineSeries);
        area->upperSeries()->setParent(area);
        area->lowerSeries()->setParent(area);
        chart()->addSeries(area);
        area->attachAxis(m_currentAxis);
        area->attachAxis(m_errorAxis);
        m_bands.append(area);
    }
    return m_bands[index];
}

QLineSeries* ErrorChartView::Line(int index)
{
    while (m_lines.size() <= index) {
        auto* line = new QLineSeries;
        line->setPointsVisible(true);
        line->setMarkerSize(MarkerSize);
        QPen pen(SeriesColour(static_cast<int>(m_lines.size())));
        pen.setWidthF(2);
        line->setPen(pen);
        chart()->addSeries(line);
        line->attachAxis(m_currentAxis);
        line->attachAxis(m_errorAxis);
        m_lines.append(line);
    }
    return m_lines[index];
}

void ErrorChartView::SetCurve(const ErrorCurve& curve, const QStringList& hints)
{
    QChart* c = chart();
    m_hints = hints;
    m_hoveredRow = -1;
    m_rows.clear();
    c->setTitle(curve.caption);
    const bool drawn = curve.state == CurveState::Curve;
    m_currentAxis->setVisible(drawn);
    m_errorAxis->setVisible(drawn);

    if (drawn) {
        for (const QString& label : m_currentAxis->categoriesLabels())
            m_currentAxis->remove(label);
        m_currentAxis->setStartValue(X(curve.currentAxis.min));
        for (const AxisTick& t : curve.currentAxis.ticks)
            m_currentAxis->append(t.label, X(t.value));
        m_currentAxis->setRange(X(curve.currentAxis.min), X(curve.currentAxis.max));
        m_errorAxis->setRange(curve.errorAxis.min, curve.errorAxis.max);
        m_errorAxis->setTickInterval(curve.errorAxis.step);
    }

    // Each band takes the colour of the first curve of its load. Bands are created before the
    // lines, so they lie below them.
    const QList<ClassBand> bands = drawn ? curve.bands : QList<ClassBand>();
    for (int b = 0; b < bands.size(); ++b) {
        const ClassBand& band = bands[b];
        int colourIndex = 0;
        for (int i = 0; i < curve.series.size(); ++i) {
            if (curve.series[i].kind == band.kind) {
                colourIndex = i;
                break;
            }
        }
        QList<QPointF> upper;
        QList<QPointF> lower;
        for (const BandStep& s : band.steps) {
            upper << QPointF(X(s.from), s.limit) << QPointF(X(s.to), s.limit);
            lower << QPointF(X(s.from), -s.limit) << QPointF(X(s.to), -s.limit);
        }
        QAreaSeries* area = Band(b);
        area->upperSeries()->replace(upper);
        area->lowerSeries()->replace(lower);
        area->setName(band.label);
        QColor fill = SeriesColour(colourIndex);
        fill.setAlpha(40);
        area->setBrush(fill);
        QPen edge(SeriesColour(colourIndex));
        edge.setStyle(Qt::DashLine);
        edge.setWidthF(1);
        area->setPen(edge);
        ShowSeries(area, true);
    }
    for (int b = static_cast<int>(bands.size()); b < m_bands.size(); ++b)
        ShowSeries(m_bands[b], false);

    QList<QPointF> overflow;
    const QList<CurveSeries> series = drawn ? curve.series : QList<CurveSeries>();
    for (int i = 0; i < series.size(); ++i) {
        const CurveSeries& cs = series[i];
        QLineSeries* line = Line(i);
        line->setName(ULang::PowerFactorShort + QLatin1Char(' ') + cs.powerFactor);
        QList<QPointF> points;
        QList<int> rows;
        points.reserve(cs.points.size());
        rows.reserve(cs.points.size());
        QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> config;
        for (int k = 0; k < cs.points.size(); ++k) {
            const CurvePoint& p = cs.points[k];
            points.append(QPointF(X(p.current), p.plotError));
            rows.append(p.row);
            if (p.overflow != 0)
                overflow.append(points.back());
            if (p.beyondLimit) {
                config[k] = {{QXYSeries::PointConfiguration::Color, BeyondLimit},
                             {QXYSeries::PointConfiguration::Size, BeyondMarkerSize}};
            }
        }
        line->clearPointsConfiguration();
        line->replace(points);
        line->setPointsConfiguration(config);
        ShowSeries(line, true);
        m_rows.append(rows);
    }
    for (int i = static_cast<int>(series.size()); i < m_lines.size(); ++i) {
        m_lines[i]->clear();
        ShowSeries(m_lines[i], false);
    }
    m_shownLines = static_cast<int>(series.size());

    // The marks of errors beyond 1000 % lie above the lines.
    if (!overflow.isEmpty() && !c->series().contains(m_overflow)) {
        c->addSeries(m_overflow);
        m_overflow->attachAxis(m_currentAxis);
        m_overflow->attachAxis(m_errorAxis);
    } else if (!overflow.isEmpty() && c->series().constLast() != m_overflow) {
        c->removeSeries(m_overflow);
        c->addSeries(m_overflow);
        m_overflow->attachAxis(m_currentAxis);
        m_overflow->attachAxis(m_errorAxis);
    }
    m_overflow->replace(overflow);
    if (c->series().contains(m_overflow))
        ShowSeries(m_overflow, !overflow.isEmpty());
}

int ErrorChartView::RowAt(const QPoint& viewportPos) const
{
    const QPointF at = chart()->mapFromScene(mapToScene(viewportPos));
    int best = -1;
    double bestDistance = HoverPixels * HoverPixels;
    for (int i = 0; i < m_shownLines; ++i) {
        const QList<QPointF> points = m_lines[i]->points();
        for (int k = 0; k < points.size(); ++k) {
            const QPointF delta = chart()->mapToPosition(points[k], m_lines[i]) - at;
            const double distance = delta.x() * delta.x() + delta.y() * delta.y();
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = m_rows[i].value(k, -1);
            }
        }
    }
    return best;
}

void ErrorChartView::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    const int row = RowAt(event->position().toPoint());
    if (row == m_hoveredRow)
        return;
    m_hoveredRow = row;
    const QString hint = row >= 0 ? m_hints.value(row) : QString();
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), hint, viewport());
    emit PointHovered(hint);
}

void ErrorChartView::leaveEvent(QEvent* event)
{
    QChartView::leaveEvent(event);
    if (m_hoveredRow >= 0) {
        m_hoveredRow = -1;
        emit PointHovered(QString());
    }
}
