// Errors beyond 1000 % in the results grids: shown as ">1000", centred in the cell.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVariant>

class QPainter;
class QStyleOptionViewItem;

class OverLimitCell
{
  public:
    // Strictly beyond 1000 in magnitude; an empty value never is.
    static bool IsOverLimit(const QVariant& error);
    // Top-left corner of the text: the centre of the cell less half the text, each half taken to
    // the nearest pixel with halves going to the even pixel. The cell's right and bottom edges
    // are exclusive.
    static QPoint TextOrigin(const QRect& cell, const QSize& text);
    // Fills the cell with its background and draws ">1000" in it.
    static void Paint(QPainter* painter, const QStyleOptionViewItem& option);
};
