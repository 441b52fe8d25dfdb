// Drawing of the ">1000" cells.
#include "widgets/overlimitcell.h"

#include "core/ulang.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <cmath>

namespace
{
// Nearest integer, halves to even (the default rounding mode).
int Nearest(double x)
{
    return static_cast<int>(std::nearbyint(x));
}
} // namespace

bool OverLimitCell::IsOverLimit(const QVariant& error)
{
    if (!error.isValid() || error.isNull())
        return false;
    return std::fabs(error.toDouble()) > 1000.0;
}

QPoint OverLimitCell::TextOrigin(const QRect& cell, const QSize& text)
{
    const double left = cell.left(), right = cell.left() + cell.width();
    const double top = cell.top(), bottom = cell.top() + cell.height();
    int x = Nearest((left + right) / 2) - Nearest(text.width() / 2.0);
    int y = Nearest((top + bottom) / 2 - Nearest(text.height() / 2.0));
    return {x, y};
}

void OverLimitCell::Paint(QPainter* painter, const QStyleOptionViewItem& option)
{
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    painter->setPen(selected ? option.palette.highlightedText().color()
                             : option.palette.text().color());
    painter->setFont(option.font);
    const QFontMetrics fm(option.font);
    const QSize size(fm.horizontalAdvance(ULang::ErrorOverLimit), fm.height());
    const QPoint origin = TextOrigin(option.rect, size);
    painter->drawText(QRect(origin, size), Qt::AlignLeft | Qt::AlignTop, ULang::ErrorOverLimit);
    painter->restore();
}
