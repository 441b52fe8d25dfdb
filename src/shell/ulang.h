// Every message text and caption the program shows, in one place.
#pragma once

#include <QString>

namespace ULang {

// Program and start-up
inline const QString AppCaption = QStringLiteral("Кварцет KM350");
inline const QString AppTitle = QStringLiteral("Kvarcet KM350");
inline const QString SecondCopy = QStringLiteral("Запуск второй копии программы недопустим.");

// Common captions
inline const QString CaptionError = QStringLiteral("Ошибка");
inline const QString CaptionNewRecord = QStringLiteral("Новая запись");
inline const QString CaptionDelete = QStringLiteral("Удаление данных");

// Data module
inline const QString FillAllFields = QStringLiteral("Необходимо заполнить все поля данных!");
inline const QString TypeExists = QStringLiteral("Такой тип счетчика уже существует!");
// The first letter is a Latin "C", as the program has always shown it.
inline const QString MeterExists = QStringLiteral("Cчетчик данного типа с таким номером и адресом уже существует!");
inline const QString QueryFailed = QStringLiteral("Ошибка запроса к базе данных!");
inline const QString FileWord = QStringLiteral("Файл ");
inline const QString NotFound = QStringLiteral("не найден");
inline const QString ArchiveFileName = QStringLiteral("OrmixDB.sqlite");

// Number conversion (%1 is the text that failed)
inline const QString NotAnInteger = QStringLiteral("«%1» не является целым числом.");

// Device exchange: status texts of the exchange panel
inline const QString ExchangeRunning = QStringLiteral("Идет обмен данными!");
inline const QString ExchangeFinished = QStringLiteral("Обмен завершен!");
inline const QString TransferError = QStringLiteral("Ошибка передачи данных!");
inline const QString NoDeviceLink = QStringLiteral("Нет связи с прибором!");
inline const QString PortOpened = QStringLiteral("Открыт");
inline const QString PortClosed = QStringLiteral("Закрыт");

} // namespace ULang
