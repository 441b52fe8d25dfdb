// Grid output: export of the selection through the writers, and the printout painted by pages.
#include "app/gridoutput.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "database/dataset.h"
#include "gridexport/gridprintlayout.h"
#include "gridexport/gridprinttitle.h"
#include "gridexport/gridwriter.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QToolBar>

GridSelectionSource::GridSelectionSource(const DBGrid& grid, bool allRows) : m_grid(grid)
{
    if (allRows) {
        grid.Model()->FetchAll(); // a lazily read result is written whole
        for (int r = 0; r < grid.Model()->rowCount(); ++r)
            m_rows << r;
    } else {
        m_rows = grid.SelectedRowNumbers();
    }
    const QHeaderView* header = grid.horizontalHeader();
    for (int v = 0; v < header->count(); ++v) {
        int logical = header->logicalIndex(v);
        if (!grid.isColumnHidden(logical))
            m_columns << logical;
    }
}

int GridSelectionSource::columnCount() const
{
    return static_cast<int>(m_columns.size());
}

QString GridSelectionSource::columnTitle(int column) const
{
    return m_grid.Model()
        ->headerData(m_columns.at(column), Qt::Horizontal, Qt::DisplayRole)
        .toString();
}

int GridSelectionSource::rowCount() const
{
    return static_cast<int>(m_rows.size());
}

QVariant GridSelectionSource::value(int row, int column) const
{
    const DataSetModel* model = m_grid.Model();
    int modelColumn = m_columns.at(column);
    int field = model->FieldOfColumn(modelColumn);
    DataSet* ds = model->GetDataSet();
    if (!ds || field < 0)
        return {};
    // Pick-list columns are written as shown; numbers and dates keep their type.
    if (!model->Columns().at(modelColumn).pickList.isEmpty())
        return model->DisplayText(m_rows.at(row), modelColumn);
    QVariant v = ds->Value(m_rows.at(row), field);
    if (!v.isValid() || v.isNull())
        return {};
    return v;
}

namespace GridOutput
{

QString DataSourceName(const DataSet* dataSet)
{
    if (!dataSet)
        return {};
    QString name = dataSet->Name();
    if (name.startsWith(QStringLiteral("ADO")))
        return QStringLiteral("DS") + name.mid(3);
    return name;
}

QString PrintTitle(const DBGrid& grid)
{
    return GridPrintTitle::forDataSource(DataSourceName(grid.GetDataSet()));
}

GridExportResult ExportTo(DBGrid& grid, const QString& path, GridExportFormat format,
                          QWidget* parent)
{
    GridSelectionSource rows(grid, grid.Selection() == DBGrid::SelectionKind::All);
    std::unique_ptr<GridWriter> writer = GridWriter::create(format);
    std::unique_ptr<QProgressDialog> progress;
    // Only long exports show progress; a short one is over before a dialog could be read.
    constexpr int ShowProgressFrom = 3000;
    if (rows.rowCount() >= ShowProgressFrom && parent) {
        progress = std::make_unique<QProgressDialog>(ULang::SaveAs, ULang::ButtonCancel, 0,
                                                     rows.rowCount(), parent);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
    }
    return writer->write(rows, path, [&progress](int written, int total) {
        if (!progress)
            return true;
        progress->setMaximum(total);
        progress->setValue(written);
        QApplication::processEvents();
        return !progress->wasCanceled();
    });
}

void SaveAs(DBGrid& grid, QWidget* parent)
{
    QFileDialog dialog(parent, ULang::SaveAs);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(GridSaveFormat::nameFilters());
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    std::optional<GridSaveFormat> format =
        GridSaveFormat::byNameFilter(dialog.selectedNameFilter());
    if (!format)
        return;
    QString path = GridSaveFormat::withExtension(dialog.selectedFiles().first(), format->extension);
    GridExportResult result = ExportTo(grid, path, format->format, parent);
    if (result.status() == GridExportResult::Status::Failed)
        ShowMessage(result.message(), ULang::CaptionError, MsgIcon::Error);
}

namespace
{

QFont PointFont(const QString& family, double points, bool bold, QPaintDevice* device)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return QFont(f, device);
}

} // namespace

int Paint(const DBGrid& grid, QPrinter& printer)
{
    GridSelectionSource rows(grid, true);
    QString title = PrintTitle(grid);
    double dpi = printer.resolution();
    GridPrintLayout::Input in = GridPrintLayout::defaultHeights(dpi, 8, !title.isEmpty());
    QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    in.pageWidth = page.width();
    in.pageHeight = page.height();
    for (int c = 0; c < rows.columnCount(); ++c) {
        int logical = grid.horizontalHeader()->logicalIndex(c);
        in.columnWidths << std::max(grid.columnWidth(logical), 10);
    }
    in.rowCount = rows.rowCount();
    GridPrintLayout layout = GridPrintLayout::compute(in);

    QPainter p;
    if (!p.begin(&printer))
        return 0;
    QFont headerFont = PointFont(GridPrintLayout::HeaderFontName, GridPrintLayout::HeaderPointSize,
                                 false, &printer);
    QFont headingFont =
        PointFont(GridPrintLayout::GridFontName, GridPrintLayout::HeadingPointSize, true, &printer);
    QFont gridFont = PointFont(GridPrintLayout::GridFontName, 8, false, &printer);
    QFont titleFont = PointFont(GridPrintLayout::GridFontName, 8, true, &printer);
    QFont dateFont =
        PointFont(GridPrintLayout::GridFontName, GridPrintLayout::DatePointSize, true, &printer);
    double pad = dpi / 50.0;
    const QList<double>& lefts = layout.columnLefts();
    const QList<double>& widths = layout.columnWidths();

    for (const GridPrintLayout::Page& pg : layout.pages()) {
        if (pg.number > 1)
            printer.newPage();
        // Page header and its double line.
        p.setFont(headerFont);
        double headerLine = GridPrintLayout::lineHeight(GridPrintLayout::HeaderPointSize, dpi);
        p.drawText(QRectF(0, 0, in.pageWidth, headerLine), Qt::AlignCenter,
                   GridPrintLayout::pageHeaderText(pg.number));
        p.setPen(QPen(Qt::black, dpi / 150.0));
        p.drawLine(QPointF(0, headerLine + pad), QPointF(in.pageWidth, headerLine + pad));
        p.drawLine(QPointF(0, headerLine + 2.5 * pad),
                   QPointF(in.pageWidth, headerLine + 2.5 * pad));
        if (pg.headingTop >= 0) {
            p.setFont(headingFont);
            p.drawText(QRectF(0, pg.headingTop, in.pageWidth, GridPrintLayout::lineHeight(14, dpi)),
                       Qt::AlignCenter, GridPrintLayout::headingText());
        }
        if (pg.titleTop >= 0 && !title.isEmpty()) {
            p.setFont(titleFont);
            p.drawText(QRectF(0, pg.titleTop, in.pageWidth, in.titleHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, title);
        }
        if (pg.tableTop >= 0) {
            double y = pg.tableTop;
            p.setFont(titleFont);
            for (int c = 0; c < rows.columnCount(); ++c) {
                QRectF cell(lefts.at(c), y, widths.at(c), in.titleRowHeight);
                p.fillRect(cell, QColor(230, 230, 230));
                p.drawRect(cell);
                p.drawText(cell.adjusted(pad, 0, -pad, 0), Qt::AlignCenter | Qt::TextWordWrap,
                           rows.columnTitle(c));
            }
            y += in.titleRowHeight;
            p.setFont(gridFont);
            for (int r = pg.firstRow; r < pg.firstRow + pg.rowCount; ++r) {
                for (int c = 0; c < rows.columnCount(); ++c) {
                    int logical = grid.horizontalHeader()->logicalIndex(c);
                    QRectF cell(lefts.at(c), y, widths.at(c), in.rowHeight);
                    p.drawRect(cell);
                    Qt::Alignment align = grid.Model()->Columns().at(logical).alignment;
                    p.drawText(cell.adjusted(pad, 0, -pad, 0),
                               static_cast<int>(align) | Qt::TextSingleLine,
                               grid.Model()->DisplayText(r, logical));
                }
                y += in.rowHeight;
            }
        }
        if (pg.dateTop >= 0) {
            p.setFont(dateFont);
            p.drawText(QRectF(0, pg.dateTop, in.pageWidth, in.dateHeight),
                       Qt::AlignLeft | Qt::AlignBottom,
                       GridPrintLayout::dateText(QDate::currentDate()));
        }
    }
    p.end();
    return layout.pageCount();
}

bool PrintToPdf(const DBGrid& grid, const QString& path, QPrinter* pageSettings)
{
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    if (pageSettings)
        pdf.setPageLayout(pageSettings->pageLayout());
    return Paint(grid, pdf) > 0;
}

void Print(DBGrid& grid, bool preview, QWidget* parent)
{
    grid.ClearRowSelection();
    if (!preview) {
        if (QPrinterInfo::defaultPrinter().isNull()) {
            ShowMessage(ULang::NoPrinter, ULang::CaptionError, MsgIcon::Error);
            return;
        }
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        Paint(grid, printer);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(ULang::PrintPreview);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&grid](QPrinter* target) { Paint(grid, *target); });
    // A PDF copy of what the preview shows, with the page settings chosen in it.
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(ULang::ExportPdf);
        pdf->setToolTip(ULang::ExportPdf);
        QObject::connect(pdf, &QAction::triggered, &dialog, [&dialog, &grid, &printer] {
            QString path = QFileDialog::getSaveFileName(&dialog, ULang::ExportPdf, QString(),
                                                        QStringLiteral("PDF (*.pdf)"));
            if (path.isEmpty())
                return;
            if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
                path += QStringLiteral(".pdf");
            if (!PrintToPdf(grid, path, &printer))
                ShowMessage(ULang::PdfFailed.arg(path), ULang::CaptionError, MsgIcon::Error);
        });
    }
    dialog.exec();
}

} // namespace GridOutput
