// The text of a cell value as the grid shows it: the program's number text and short date format.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class GridValueText
{
  public:
    // Null → empty; double → FloatToText; integers in decimal; dates as "dd/mm/yy", a date-time
    // adds " hh:mm:ss" when its time is not midnight; anything else by QVariant's own conversion.
    static QString text(const QVariant& value);
    static QString dateText(QDate date);

    // True for values that are numbers (written as numbers where the format has them).
    static bool isNumber(const QVariant& value);
    static bool isDate(const QVariant& value);
};
