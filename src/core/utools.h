// Text and number helpers shared by the whole program, and the program-wide variables.
#pragma once

#include <QString>
#include <QStringView>
#include <QVariantList>
#include <stdexcept>
#include <string>

// Raised when a text cannot be read as the number or date it must be.
class EConvertError : public std::runtime_error
{
  public:
    enum class Kind { Integer, Float, Date };
    explicit EConvertError(const QString& text, Kind kind = Kind::Integer);
    // The message in the program's language, ready to be shown to the user.
    QString Message() const { return m_message; }

  private:
    QString m_message;
};

// Removes trailing space characters (code 32 only).
QString TrimTrailingBlanks(const QString& text);

// File name without its folder and without its last extension.
QString FileTitle(const QString& path);

// General number format: 15 significant digits, "." as decimal separator.
QString FloatToText(long double value);

// A finite non-zero value rounded to 15 significant digits: the 15 digits, the decimal exponent
// of the first one and the sign. The number formats of the program start from it.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};
SignificantDigits RoundTo15Digits(double value);

// Tolerant reading of typed and received numbers; throws EConvertError.
long double TextToFloat(const QString& text);

// Program-wide state shared by several windows.
extern bool ArchiveChanged;
extern QString LastSelectFields;
extern QString LastSelectFrom;
// Values bound to the placeholders of LastSelectFields + LastSelectFrom, in their order: the last
// archive query is run again from these, never from text typed into it.
extern QVariantList LastSelectValues;
extern unsigned char LastSelectState;
extern bool DragHasRows;

// The program's one short date format, of grids, statements and device dates (Qt notation of
// "dd/mm/yy"); a constant, so no window's creation order can change how dates read.
inline constexpr QStringView ShortDateFormat = u"dd/MM/yy";
