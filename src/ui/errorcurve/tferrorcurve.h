// The error-curve window: the chart of the current verification of the archive or the exchange
// buffer, redrawn as the user moves through the grids; saved as PNG, SVG or PDF, and printed.
#pragma once

#include "errorcurve/errorcurve.h"
#include "errorcurve/verificationdata.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class CurveSource;
class ErrorChartView;
class QAction;
class QLabel;
class QPainter;
class QStackedWidget;
class QToolBar;

class TFErrorCurve : public QWidget
{
    Q_OBJECT
  public:
    explicit TFErrorCurve(std::unique_ptr<CurveSource> source, QWidget* parent = nullptr);
    ~TFErrorCurve() override;

    // Writes the chart to a file, the format taken from its suffix (.png, .svg, .pdf; PNG
    // otherwise); false and the reason when the file could not be written.
    bool SaveChart(const QString& path, QString* reason = nullptr);
    // Draws the chart, or the text shown instead of it, into a rectangle of any paint device.
    void RenderChart(QPainter& painter, const QRectF& target);
    // What the window shows now.
    const ErrorCurve& Curve() const { return m_curve; }

    QToolBar* ToolBar;
    QAction* ASave;
    QAction* APrint;
    ErrorChartView* ChartView;
    QLabel* MessageLabel; // the caption and why there is no chart
    QLabel* StatusLabel;  // the point under the mouse, or the notes of the curve

  public slots:
    // Reads the current verification and draws it at once.
    void Redraw();
    void ASaveExecute();
    void APrintExecute();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void SourceChanged();
    void ShowNote();

    std::unique_ptr<CurveSource> m_source;
    QStackedWidget* m_pages;
    QTimer m_redrawTimer;
    bool m_stale = true;
    ErrorCurve m_curve;
    QString m_lastFolder;
    QString m_suggestedName;
};
