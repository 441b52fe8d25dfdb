// Error-curve window: follows its source, draws the chart, saves and prints it.
#include "ui/errorcurve/tferrorcurve.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "errorcurve/curvesource.h"
#include "errorcurve/curvetexts.h"
#include "errorcurve/errorcurvebuilder.h"
#include "ui/errorcurve/errorchartview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStackedWidget>
#include <QStyle>
#include <QSvgGenerator>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{

enum class ChartFormat { Png, Svg, Pdf };

ChartFormat FormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg"))
        return ChartFormat::Svg;
    if (suffix == QStringLiteral("pdf"))
        return ChartFormat::Pdf;
    return ChartFormat::Png;
}

// A file name from the meter, without characters that file systems refuse.
QString SuggestedName(const VerificationData& d)
{
    QString name = (d.type.trimmed() + QLatin1Char('_') + d.number.trimmed()).trimmed();
    static const QString bad = QStringLiteral("\\/:*?\"<>|");
    for (QChar& c : name) {
        if (bad.contains(c) || c.isSpace())
            c = QLatin1Char('_');
    }
    if (name.isEmpty() || name == QStringLiteral("_"))
        name = ULang::ErrorCurve;
    return name;
}

} // namespace

TFErrorCurve::TFErrorCurve(std::unique_ptr<CurveSource> source, QWidget* parent)
    : QWidget(parent, Qt::Window), ToolBar(new QToolBar), ChartView(new ErrorChartView),
      MessageLabel(new QLabel), StatusLabel(new QLabel), m_source(std::move(source)),
      m_pages(new QStackedWidget)
{
    setObjectName(QStringLiteral("FErrorCurve"));
    setWindowTitle(ULang::ErrorCurve);
    setAccessibleName(ULang::ErrorCurve);

    ASave = new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), ULang::SaveAs, this);
    ASave->setObjectName(QStringLiteral("ASave"));
    ASave->setShortcut(QKeySequence::Save);
    APrint =
        new QAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), ULang::Print, this);
    APrint->setObjectName(QStringLiteral("APrint"));
    APrint->setShortcut(QKeySequence::Print);
    for (QAction* a : {ASave, APrint}) {
        a->setToolTip(a->text());
        a->setShortcutContext(Qt::WindowShortcut);
        ToolBar->addAction(a);
        if (QWidget* w = ToolBar->widgetForAction(a))
            w->setAccessibleName(a->text());
    }
    connect(ASave, &QAction::triggered, this, &TFErrorCurve::ASaveExecute);
    connect(APrint, &QAction::triggered, this, &TFErrorCurve::APrintExecute);
    ToolBar->setIconSize(QSize(18, 18));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    MessageLabel->setObjectName(QStringLiteral("MessageLabel"));
    MessageLabel->setAlignment(Qt::AlignCenter);
    MessageLabel->setWordWrap(true);
    MessageLabel->setMargin(24);
    MessageLabel->setAutoFillBackground(true);
    MessageLabel->setBackgroundRole(QPalette::Base);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setMargin(4);
    StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pages->addWidget(ChartView);
    m_pages->addWidget(MessageLabel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(m_pages, 1);
    layout->addWidget(StatusLabel);

    // Moving to another meter resets several views one after another: one redraw for all.
    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(0);
    connect(&m_redrawTimer, &QTimer::timeout, this, &TFErrorCurve::Redraw);
    connect(m_source.get(), &CurveSource::Changed, this, &TFErrorCurve::SourceChanged);
    connect(ChartView, &ErrorChartView::PointHovered, this, [this](const QString& hint) {
        if (hint.isEmpty())
            ShowNote();
        else
            StatusLabel->setText(hint);
    });
    resize(760, 520);
}

TFErrorCurve::~TFErrorCurve() = default;

void TFErrorCurve::SourceChanged()
{
    // A hidden window only remembers to read again when it is shown.
    m_stale = true;
    if (isVisible())
        m_redrawTimer.start();
}

void TFErrorCurve::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        Redraw();
}

void TFErrorCurve::Redraw()
{
    m_redrawTimer.stop();
    m_stale = false;
    const VerificationData verification = m_source->Read();
    m_curve = ErrorCurveBuilder::Build(verification);
    QStringList hints;
    if (m_curve.state == CurveState::Curve) {
        hints.reserve(verification.results.size());
        for (const ResultRow& r : verification.results)
            hints.append(CurveTexts::PointHint(r));
    }
    ChartView->SetCurve(m_curve, hints);
    if (m_curve.state == CurveState::Curve) {
        m_pages->setCurrentWidget(ChartView);
    } else {
        MessageLabel->setText(m_curve.caption.isEmpty()
                                  ? m_curve.message
                                  : m_curve.caption + QStringLiteral("\n\n") + m_curve.message);
        m_pages->setCurrentWidget(MessageLabel);
    }
    m_suggestedName = SuggestedName(verification);
    ShowNote();
}

void TFErrorCurve::ShowNote()
{
    StatusLabel->setText(m_curve.note);
}

void TFErrorCurve::RenderChart(QPainter& painter, const QRectF& target)
{
    QWidget* page = m_pages->currentWidget();
    if (page == ChartView) {
        ChartView->render(&painter, target, ChartView->viewport()->rect(), Qt::KeepAspectRatio);
        return;
    }
    // The text instead of the chart, as large on the page as on the screen.
    painter.save();
    const QRect source = page->rect();
    const double scale =
        std::min(target.width() / source.width(), target.height() / source.height());
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    page->render(&painter, QPoint(), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.restore();
}

bool TFErrorCurve::SaveChart(const QString& path, QString* reason)
{
    const QSize size = m_pages->currentWidget()->size();
    bool ok = false;
    switch (FormatOf(path)) {
    case ChartFormat::Png: {
        QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            RenderChart(painter, QRectF(QPointF(), QSizeF(size)));
        }
        ok = image.save(path, "PNG");
        break;
    }
    case ChartFormat::Svg: {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(ULang::ErrorCurve);
        svg.setDescription(m_curve.caption);
        QPainter painter;
        ok = painter.begin(&svg);
        if (ok) {
            RenderChart(painter, QRectF(QPointF(), QSizeF(size)));
            ok = painter.end();
        }
        ok = ok && QFileInfo(path).size() > 0;
        break;
    }
    case ChartFormat::Pdf: {
        QPdfWriter pdf(path);
        pdf.setTitle(ULang::ErrorCurve);
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setResolution(300);
        QPainter painter;
        ok = painter.begin(&pdf);
        if (ok) {
            const QRect page = pdf.pageLayout().paintRectPixels(pdf.resolution());
            RenderChart(painter, QRectF(QPointF(), QSizeF(page.size())));
            ok = painter.end();
        }
        ok = ok && QFileInfo(path).size() > 0;
        break;
    }
    }
    if (!ok && reason)
        *reason = ULang::CurveSaveFailed.arg(QDir::toNativeSeparators(path));
    return ok;
}

void TFErrorCurve::ASaveExecute()
{
    QFileDialog dialog(this, ULang::SaveAs);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(ULang::CurveSaveFilter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (!m_lastFolder.isEmpty())
        dialog.setDirectory(m_lastFolder);
    dialog.selectFile(m_suggestedName + QStringLiteral(".png"));
    // The suffix follows the chosen type, so the file is written in the type the user picked.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const QString suffix =
            filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0);
        dialog.setDefaultSuffix(suffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(path).absolutePath();
    QString reason;
    if (!SaveChart(path, &reason))
        ShowMessage(reason, ULang::CaptionError, MsgIcon::Error);
}

void TFErrorCurve::APrintExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(ULang::ErrorCurve);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(ULang::Print);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage(ULang::CurveSaveFailed.arg(printer.outputFileName().isEmpty()
                                                   ? printer.printerName()
                                                   : printer.outputFileName()),
                    ULang::CaptionError, MsgIcon::Error);
        return;
    }
    RenderChart(painter, QRectF(QPointF(), printer.pageRect(QPrinter::DevicePixel).size()));
    painter.end();
}
