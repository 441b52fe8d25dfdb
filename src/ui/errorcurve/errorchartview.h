// The chart of an error curve: one line per power factor over a logarithmic current axis, the
// class band, points beyond the limits in red, and the values of the point under the mouse.
#pragma once

#include "errorcurve/errorcurve.h"

#include <QChartView>
#include <QList>
#include <QStringList>

class QAreaSeries;
class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

class ErrorChartView : public QChartView
{
    Q_OBJECT
  public:
    explicit ErrorChartView(QWidget* parent = nullptr);
    // Draws the curve; hints are the values of each result row, shown when the mouse is on it.
    void SetCurve(const ErrorCurve& curve, const QStringList& hints);
    // The result row of the point nearest to a position of the viewport, within a few pixels;
    // -1 when there is none.
    int RowAt(const QPoint& viewportPos) const;

  signals:
    // The values of the point under the mouse; empty when the mouse left every point.
    void PointHovered(const QString& hint);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    // Series are kept and refilled from one verification to the next: creating chart items
    // anew costs more than drawing them.
    QLineSeries* Line(int index);
    QAreaSeries* Band(int index);
    void ShowSeries(QAbstractSeries* series, bool shown);

    QCategoryAxis* m_currentAxis;
    QValueAxis* m_errorAxis;
    QList<QAreaSeries*> m_bands;
    QList<QLineSeries*> m_lines;
    QScatterSeries* m_overflow;
    QList<QList<int>> m_rows; // result row of each point of each shown line
    int m_shownLines = 0;
    QStringList m_hints;
    int m_hoveredRow = -1;
};
