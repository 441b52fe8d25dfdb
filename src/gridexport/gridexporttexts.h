// Messages of grid export and print shown to the user, and the fixed texts of the printout.
#pragma once

#include <QString>

namespace GridExportTexts
{

// %1 is the file name.
inline const QString CannotCreate = QStringLiteral("Не удалось создать файл «%1».");
inline const QString WriteFailed = QStringLiteral("Ошибка записи в файл «%1».");
// %1 is the number of columns of the grid.
inline const QString TooManyColumns =
    QStringLiteral("Книга Excel 97 вмещает не более 256 столбцов, в таблице их %1.");

inline const QString PageHeader = QStringLiteral("Страница. %1");
inline const QString Heading = QStringLiteral("Кварцет KM350");

} // namespace GridExportTexts
