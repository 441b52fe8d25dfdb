// Print layout arithmetic, one loop step per page rather than per row.
#include "gridexport/gridprintlayout.h"

#include "gridexport/gridexporttexts.h"
#include "gridexport/gridvaluetext.h"

#include <algorithm>
#include <cmath>

namespace
{

// Rows that fit a height; a small tolerance keeps exact fits from being lost to rounding.
int rowsIn(double height, double rowHeight)
{
    if (height <= 0)
        return 0;
    return static_cast<int>(std::floor(height / rowHeight + 1e-9));
}

} // namespace

double GridPrintLayout::lineHeight(double pointSize, double dotsPerInch)
{
    return pointSize * dotsPerInch / 72.0 * 1.2;
}

GridPrintLayout::Input GridPrintLayout::defaultHeights(double dotsPerInch, double gridPointSize,
                                                       bool hasTitle)
{
    Input in;
    const double gridLine = lineHeight(gridPointSize, dotsPerInch);
    in.rowHeight = gridLine * 1.25;
    in.titleRowHeight = in.rowHeight;
    // The header text, a double line and a gap of one line.
    in.pageHeaderHeight = lineHeight(HeaderPointSize, dotsPerInch) * 2;
    in.headingHeight = lineHeight(HeadingPointSize, dotsPerInch) * 2;
    in.titleHeight = hasTitle ? gridLine : 0;
    in.dateHeight = lineHeight(DatePointSize, dotsPerInch) * 2;
    return in;
}

GridPrintLayout GridPrintLayout::compute(const Input& in)
{
    GridPrintLayout layout;

    double total = 0;
    for (double w : in.columnWidths)
        total += std::max(0.0, w);
    const double scale = total > 0 ? in.pageWidth / total : 0;
    double left = 0;
    for (double w : in.columnWidths) {
        layout.m_lefts << left;
        layout.m_widths << std::max(0.0, w) * scale;
        left += layout.m_widths.last();
    }

    const double top = in.pageHeaderHeight;
    const double firstTable = top + in.headingHeight + in.titleHeight;
    // A row taller than a page still gets a page of its own, so the layout always ends.
    const bool noRowHeight = in.rowHeight <= 0;
    auto fit = [&](double tableTop) {
        return noRowHeight ? in.rowCount
                           : rowsIn(in.pageHeight - tableTop - in.titleRowHeight, in.rowHeight);
    };
    layout.m_rowsFirst = std::min(in.rowCount, fit(firstTable));
    layout.m_rowsNext = std::max(1, fit(top));

    Page first;
    first.headingTop = top;
    first.titleTop = in.titleHeight > 0 ? top + in.headingHeight : -1;
    first.tableTop = firstTable;
    first.rowCount = layout.m_rowsFirst;
    layout.m_pages << first;

    int placed = layout.m_rowsFirst;
    while (placed < in.rowCount) {
        Page p;
        p.number = static_cast<int>(layout.m_pages.size()) + 1;
        p.firstRow = placed;
        p.rowCount = std::min(layout.m_rowsNext, in.rowCount - placed);
        p.tableTop = top;
        layout.m_pages << p;
        placed += p.rowCount;
    }

    Page& last = layout.m_pages.last();
    const double rowsBottom =
        last.tableTop + in.titleRowHeight + (noRowHeight ? 0 : last.rowCount * in.rowHeight);
    if (rowsBottom + in.dateHeight <= in.pageHeight + 1e-9) {
        last.dateTop = rowsBottom;
    } else {
        Page p;
        p.number = static_cast<int>(layout.m_pages.size()) + 1;
        p.firstRow = in.rowCount;
        p.dateTop = top;
        layout.m_pages << p;
    }
    return layout;
}

QString GridPrintLayout::pageHeaderText(int page)
{
    return GridExportTexts::PageHeader.arg(page);
}

QString GridPrintLayout::headingText()
{
    return GridExportTexts::Heading;
}

QString GridPrintLayout::dateText(QDate date)
{
    return GridValueText::dateText(date);
}
