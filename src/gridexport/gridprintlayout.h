// Print layout of a grid computed without painting: column widths, pages and their parts.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

class GridPrintLayout
{
  public:
    // All lengths in one device unit (printer dots, or millimetres); only ratios of column widths
    // count.
    struct Input {
        double pageWidth = 0;       // printable width
        double pageHeight = 0;      // printable height
        QList<double> columnWidths; // the grid's own column widths
        int rowCount = 0;
        double rowHeight = 0;      // one data row
        double titleRowHeight = 0; // the row of column titles, at the top of each page's table
        double pageHeaderHeight = 0; // "Страница. N", the double line under it and the gap below
        double headingHeight = 0; // "Кварцет KM350" and the empty line after it (first page)
        double titleHeight = 0;   // the title line; 0 for a grid without title
        double dateHeight = 0;    // the empty line and the date after the grid
    };

    struct Page {
        int number = 1; // from 1, as "Страница. N" shows it
        int firstRow = 0;
        int rowCount = 0;
        double headingTop = -1; // -1 where the page has no such part
        double titleTop = -1;
        double tableTop = -1; // top of the column titles row
        double dateTop = -1;
    };

    // Heights for the fixed fonts at a resolution in dots per inch; grid rows in the grid font.
    static Input defaultHeights(double dotsPerInch, double gridPointSize = 8, bool hasTitle = true);
    // A line of text of a point size, with the usual leading.
    static double lineHeight(double pointSize, double dotsPerInch);

    static GridPrintLayout compute(const Input& input);

    // Column widths on the page, in proportion to the grid's and summing to the page width.
    const QList<double>& columnWidths() const { return m_widths; }
    // Left edge of each column on the page.
    const QList<double>& columnLefts() const { return m_lefts; }
    const QList<Page>& pages() const { return m_pages; }
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    int rowsOnFirstPage() const { return m_rowsFirst; }
    // Rows on each following full page.
    int rowsPerPage() const { return m_rowsNext; }

    static QString pageHeaderText(int page);
    static QString headingText();
    // The date after the grid in the short date format "dd/mm/yy".
    static QString dateText(QDate date);

    static inline const QString GridFontName = QStringLiteral("Arial");
    static inline const QString HeaderFontName = QStringLiteral("MS Sans Serif");
    static constexpr double HeaderPointSize = 8;
    static constexpr double HeadingPointSize = 14; // bold, centred
    static constexpr double DatePointSize = 8;     // bold

  private:
    QList<double> m_widths;
    QList<double> m_lefts;
    QList<Page> m_pages;
    int m_rowsFirst = 0;
    int m_rowsNext = 0;
};
