// Every message text and caption the program shows, in one place.
#pragma once

#include <QString>

namespace ULang
{

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
inline const QString MeterExists =
    QStringLiteral("Cчетчик данного типа с таким номером и адресом уже существует!");
inline const QString QueryFailed = QStringLiteral("Ошибка запроса к базе данных!");
inline const QString FileWord = QStringLiteral("Файл ");
inline const QString NotFound = QStringLiteral("не найден");
// Ends the missing-file message after NotFound.
inline const QString NotFoundEnd = QStringLiteral("!");
inline const QString ArchiveFileName = QStringLiteral("OrmixDB.sqlite");

// Number conversion (%1 is the text that failed)
inline const QString NotAnInteger = QStringLiteral("«%1» не является целым числом.");
inline const QString NotAFloat = QStringLiteral("«%1» не является числом.");
inline const QString NotADate = QStringLiteral("«%1» не является датой.");

// Common buttons and questions
inline const QString ButtonOk =
    QStringLiteral("OK"); // Latin letters; every OK button except the table chooser's
// cancel buttons of all panels and the Cancel command of the archive and meter types windows
inline const QString ButtonCancel = QStringLiteral("Отмена");
// with the trailing blank; OK button of the external copy panel
inline const QString ButtonContinue = QStringLiteral("Продолжить ");
inline const QString AskClearTable = QStringLiteral(
    "Вы действительно хотите очистить таблицу?"); // exchange, meter types and external-data windows
inline const QString AskDeleteSelected =
    QStringLiteral("Удалить все выделенные записи?"); // exchange, archive and meter types windows

// Record commands of the exchange, archive and meter types windows
inline const QString FirstRecord = QStringLiteral("Первая запись");
inline const QString PriorRecord = QStringLiteral("Предыдущая запись");
inline const QString NextRecord = QStringLiteral("Следующая запись");
inline const QString LastRecord = QStringLiteral("Последняя запись");
inline const QString InsertRecord = QStringLiteral("Вставить запись");
inline const QString AddRecord =
    QStringLiteral("Добавить запись"); // hidden insert command of the exchange window
inline const QString DeleteRecord = QStringLiteral("Удалить запись");
inline const QString PostChanges = QStringLiteral("Сохранить изменения");

// Main window
inline const QString MenuWindow = QStringLiteral("Окно");
inline const QString MenuCascade = QStringLiteral("Упорядочить каскадно");
inline const QString MenuTileHorizontal = QStringLiteral("Упорядочить горизонтально");
inline const QString MenuTileVertical = QStringLiteral("Упорядочить вертикально");
inline const QString MenuArrangeIcons = QStringLiteral("Упорядочить");
inline const QString MenuMinimizeAll = QStringLiteral("Свернуть все");
inline const QString MenuTable = QStringLiteral("Таблица");
inline const QString SaveAs = QStringLiteral("Сохранить как");
inline const QString PrintPreview =
    QStringLiteral("Предварительный просмотр");        // also the report window's toolbar
inline const QString Print = QStringLiteral("Печать"); // also the report window's toolbar
inline const QString SelectAll =
    QStringLiteral("Выделить все"); // also the query builder and the buffer selection
inline const QString MenuReport = QStringLiteral("Отчет");
inline const QString MenuReportArchive = QStringLiteral("Из \"Архива\"");
inline const QString MenuReportBuffer = QStringLiteral("Из \"Буфера обмена\"");
inline const QString MenuSettings = QStringLiteral("Настройки");
inline const QString MenuComPort = QStringLiteral("Com порт"); // "Com" in Latin letters
inline const QString MenuHelp = QStringLiteral("Справка");
inline const QString MenuAbout =
    QStringLiteral("О программе"); // menu item; the About panel's caption has a trailing blank
inline const QString MenuHelpContents = QStringLiteral("Помощь");
inline const QString SysMinimize = QStringLiteral("Свернуть");
inline const QString SysRestore = QStringLiteral("Восстановить");
inline const QString SysClose = QStringLiteral("Закрыть");
// %1 the help file's full path
inline const QString HelpFileMissing = QStringLiteral("Файл справки %1 не найден!");
inline const QString HelpCaption = QStringLiteral("Справка - Кварцет KM350");
inline const QString HelpFileName =
    QStringLiteral("КВАРЦЕТ KM350.html"); // below the help folder of the current directory

// Serial port settings panel
// %1 the values found, %2 and %3 the port and rate used instead
inline const QString BadPortSettings = QStringLiteral(
    "В настройках записаны недопустимые значения порта или скорости (%1). Используются %2 и %3.");
inline const QString PortSettingsCaption = QStringLiteral("Настройки последовательного порта");
inline const QString PortLabel = QStringLiteral("Используемый порт");
inline const QString SpeedLabel = QStringLiteral("Скорость передачи");
inline const QString PortCom1 = QStringLiteral("COM1");
inline const QString PortCom2 = QStringLiteral("COM2");
inline const QString PortCom3 = QStringLiteral("COM3");
inline const QString Speed19200 = QStringLiteral("19200");
inline const QString Speed38400 = QStringLiteral("38400");
inline const QString Speed57600 = QStringLiteral("57600");
inline const QString Speed115200 = QStringLiteral("115200");

// About panel
inline const QString AboutCaption = QStringLiteral("О программе "); // with the trailing blank
inline const QString AboutTitle = QStringLiteral("Программа \"Кварцет KM350 v1.3\""); // title label
inline const QString AboutLine1 = QStringLiteral("Обеспечивает обмен данными с прибором");
inline const QString AboutLine2 =
    QStringLiteral("\"Кварцет KM350\".  А также хранение,"); // two blanks after the point
inline const QString AboutLine3 = QStringLiteral("сортировку,  экспорт и импорт данных.");
inline const QString AboutDeveloper =
    QStringLiteral("Разработка: ООО \"Ормикс\", отдел программного обеспечения");
inline const QString AboutContacts =
    QStringLiteral("Телефон: +7 (495) 000-00-00\nЭлектронная почта: support@ormix.example");

// Grid print and export (printed heading: AppCaption; meter types grid title: MeterTypesCaption)
inline const QString PrintPageHeader = QStringLiteral(
    "Страница. &[Page]"); // the print component puts the page number in place of &[Page]
inline const QString PrintToday =
    QStringLiteral("%[Today]"); // text after the grid; replaced by today's date
inline const QString PrintTitleArchiveTypes = QStringLiteral("Архив - Параметры счетчиков");
inline const QString PrintTitleArchiveMeters = QStringLiteral("Архив - Обозначение счетчиков");
inline const QString PrintTitleArchiveResults = QStringLiteral("Архив - Результаты проверки");
inline const QString PrintTitleBufferMeters = QStringLiteral("Буфер обмена - Параметры счетчиков");
inline const QString PrintTitleBufferResults = QStringLiteral("Буфер обмена - Результаты проверки");
inline const QString NoPrinter = QStringLiteral("Принтер не установлен.");
inline const QString ExportPdf = QStringLiteral("Сохранить в PDF");
// %1 the PDF file
inline const QString PdfFailed = QStringLiteral("Не удалось записать файл %1.");
inline const QString FilterText = QStringLiteral("Text files (*.txt)");
inline const QString FilterCsv = QStringLiteral("Comma separated values (*.csv)");
inline const QString FilterHtml = QStringLiteral("HTML file (*.htm)");
inline const QString FilterRtf = QStringLiteral("Rich Text Format (*.rtf)");
inline const QString FilterExcelWorkbook = QStringLiteral("Microsoft Excel Workbook (*.xls)");

// Record entry panels (caption: CaptionNewRecord)
// also a hint and column title of the exchange and meter types windows, and the built-in report
// layout
inline const QString MeterType = QStringLiteral("Тип счетчика");
inline const QString NominalVoltageLabel = QStringLiteral("Номинальное напряжение, В");
inline const QString NominalCurrentLabel = QStringLiteral("Номинальный ток, А");
inline const QString MeterConstantLabel =
    QStringLiteral("Постоянная счетчика, имп/кВт*ч"); // also the meter types window's panel
inline const QString AccuracyClassLabel = QStringLiteral("Класс точности, %");
inline const QString SerialNumberLabel = QStringLiteral("Заводской номер");
inline const QString AddressLabel =
    QStringLiteral("Адресс"); // spelt with a double "с" as the program has always shown it
inline const QString Maker =
    QStringLiteral("Изготовитель"); // also a column title of the query builder
inline const QString YearOfManufacture =
    QStringLiteral("Год выпуска"); // also the query builder and the external-data layout panel

// Creep-test and error texts of grids and reports
inline const QString CreepNo = QStringLiteral("нет");                  // report text for 0 and 1
inline const QString CreepNotTested = QStringLiteral("не проводился"); // report text for 99
inline const QString CreepFound = QStringLiteral("есть");      // report text for any other value
inline const QString CreepNoPick = QStringLiteral("Нет");      // grid pick list for 0 and 1
inline const QString CreepFoundPick = QStringLiteral("Есть");  // grid pick list for 2
inline const QString CreepNotTestedPick = QStringLiteral("-"); // grid pick list for 99
inline const QString ErrorOverLimit =
    QStringLiteral(">1000"); // errors beyond 1000 % in grids and reports

// Exchange window
inline const QString ExchangeCaption =
    QStringLiteral("Буфер обмена с KM350"); // "KM350" in Latin letters
inline const QString MetersHeader =
    QStringLiteral("  Параметры счетчиков"); // two leading blanks; also the archive window
inline const QString ResultsHeader =
    QStringLiteral("  Результаты проверки"); // two leading blanks; also the archive window
inline const QString MeterConstant =
    QStringLiteral("Постоянная счетчика"); // hint; also the archive window
inline const QString SerialNumberHint = QStringLiteral("Серийный номер счетчика");
inline const QString MeterAddressHint = QStringLiteral("Адресс счетчика"); // double "с" kept
// column title; also the archive window and the query builder (group box and column title)
inline const QString DateTitle = QStringLiteral("Дата");
inline const QString Creep =
    QStringLiteral("Самоход"); // column title; also the archive window and the query builder
// "U" in Latin letters; column title; also the archive window and the query builder
inline const QString VoltageShort = QStringLiteral("U, В");
inline const QString MeterReading =
    QStringLiteral("Показание счетчика"); // column title; also the query builder's check box
inline const QString VoltageHint = QStringLiteral("Напряжение"); // hint; also the archive window
inline const QString PowerHint = QStringLiteral("Мощность");     // hint; also the archive window
inline const QString PowerFactorShort =
    QStringLiteral("Км"); // column title; also the archive window
// hint; also the archive window and the query builder's check box
inline const QString PowerFactor = QStringLiteral("Коэффициент мощности");
// column title drawn in the Symbol font, where d shows as delta; also the archive window
inline const QString MeterErrorShort = QStringLiteral("d, %");
inline const QString MeterErrorHint =
    QStringLiteral("Погрешность"); // hint; also the archive window
inline const QString SelectMetersFromArchive = QStringLiteral("Выбрать счетчики из архива");
inline const QString LoadIntoDevice =
    QStringLiteral("Загрузить данные в прибор"); // also the meter types window
inline const QString ReadFromDevice =
    QStringLiteral("Считать данные из прибора"); // also the meter types window
inline const QString ClearBuffer = QStringLiteral("Очистить буфер обмена");
inline const QString ResultsToArchive = QStringLiteral("Результаты проверки в архив");
inline const QString MeterCount =
    QStringLiteral("Количество - "); // followed by the number of buffer meters and one blank

// Exchange panel
inline const QString PanelPort = QStringLiteral("Используемый порт -");
inline const QString PanelSpeed =
    QStringLiteral("Скорость передачи  -"); // two blanks before the dash
inline const QString PanelPortState = QStringLiteral("Состояние порта -");
inline const QString PortOpen = QStringLiteral("Открыт");
inline const QString PortClosed = QStringLiteral("Закрыт");
inline const QString ExchangeRunning = QStringLiteral("Идет обмен данными!");
inline const QString ExchangeFinished = QStringLiteral("Обмен завершен!");
inline const QString NoDeviceLink = QStringLiteral("Нет связи с прибором!");
inline const QString TransferError = QStringLiteral("Ошибка передачи данных!");

// Exchange commands
inline const QString TooManyRecords = QStringLiteral(
    "Количество записей для передачи не может быть больше "); // followed by MaxMetersSuffix or
                                                              // MaxTypesSuffix
inline const QString MaxMetersSuffix = QStringLiteral("100!");
inline const QString MaxTypesSuffix = QStringLiteral("20!");
inline const QString CaptionAttention = QStringLiteral("Внимание!");
inline const QString IncompleteIdent =
    QStringLiteral("В памяти прибора содержатся записи с неполными идентификационными параметрами "
                   "счетчиков, сохранение этих данных невозможно");
inline const QString CaptionWriteError = QStringLiteral("Ошибка записи данных");
// %1 the value received, %2 the number of characters its column holds
inline const QString ValueTooLong = QStringLiteral("Значение «%1» длиннее допустимых %2 знаков.");
// %1 the value received; the creep-test state is a whole number from 0 to 255
inline const QString CreepStateOutOfRange =
    QStringLiteral("Состояние самохода «%1» вне допустимых значений.");
// followed by the reason of the first record refused
inline const QString RecordsRefused =
    QStringLiteral("Прибор передал данные, которые не могут быть сохранены: ");
inline const QString SaveTrace =
    QStringLiteral("Сохранить протокол обмена"); // the trace of the last exchange, for support
inline const QString TraceFileFailed =
    QStringLiteral("Не удалось записать файл %1."); // %1 the file's full path

// Archive window
inline const QString ArchiveCaption = QStringLiteral("Архив");
inline const QString TypeTitle =
    QStringLiteral("Тип"); // hint; also a column title of the query builder
inline const QString NominalVoltage =
    QStringLiteral("Номинальное напряжение"); // hint; also the query builder's check box
inline const QString NominalCurrent =
    QStringLiteral("Номинальный ток"); // hint; also the query builder's check box
inline const QString AccuracyClass =
    QStringLiteral("Класс точности"); // column title and hint; also the query builder
inline const QString MeterReadings =
    QStringLiteral("Показания счетчика"); // plural, unlike MeterReading of the exchange window
inline const QString CurrentHint = QStringLiteral("Ток"); // hint
inline const QString MeterDetailsHeader =
    QStringLiteral("  Сведения о счетчиках"); // two leading blanks
inline const QString MeterTypeUndefined = QStringLiteral("Тип счетчика не определен!");
inline const QString MeterUndefined = QStringLiteral("Счетчик не определен!");
inline const QString DeleteWhileEditing = QStringLiteral(
    "Удаление записи невозможно! Одна из таблиц архива находится в режиме редактирования.");

// Transfers into the archive
inline const QString UnknownMaker =
    QStringLiteral("Неизвестен"); // maker of a meter created from the buffer
inline const QString CopyCaption =
    QStringLiteral("Копирование данных счетчиков из внешней базы в архив");
inline const QString CopyMeterType = QStringLiteral("Тип счетчиков:");
inline const QString CopyCount = QStringLiteral("Количество копируемых записей :");
inline const QString CopyReportCaption =
    QStringLiteral("Отчет о копировании данных "); // with the trailing blank
inline const QString CopyTotal = QStringLiteral("Всего копируемых записей:");
inline const QString CopyDone =
    QStringLiteral("Скопированно :"); // spelt with a double "н" as the program has always shown it
inline const QString CopySkipped = QStringLiteral("Пропущено (повтор записи) :");
inline const QString NotEnoughData = QStringLiteral("Недостаточно данных");
inline const QString DataTypeMismatch = QStringLiteral("Несоответствие типов данных");
inline const QString TransferRunning =
    QStringLiteral("Перенос данных в архив..."); // progress of a long transfer

// Meter types window
inline const QString MeterTypesCaption =
    QStringLiteral("Типы счетчиков"); // also the print title of its grid
inline const QString MeterConstantColumn =
    QStringLiteral("А, имп/кВт*ч"); // the first letter is a Cyrillic "А"
inline const QString LoadAllTypes = QStringLiteral("Загрузить все типы счетчиков из архива");
inline const QString ClearTable = QStringLiteral("Очистить таблицу");
inline const QString AskReplaceTypes =
    QStringLiteral("Внимание все имеющиеся типы счетчиков будут удалены. Продолжить?");
inline const QString CaptionLoadTypes = QStringLiteral("Загрузка типов счетчиков");

// Query builder
inline const QString QueryBuilderCaption = QStringLiteral("Выбор данных из архива");
inline const QString PageColumns = QStringLiteral("Параметры запроса");
inline const QString PageConditions = QStringLiteral("Условия выбора "); // with the trailing blank
inline const QString GroupTypes = QStringLiteral("Параметры");
inline const QString GroupMeters = QStringLiteral("Сведения");
inline const QString GroupResults = QStringLiteral("Результаты измерения");
inline const QString TypeDesignation = QStringLiteral("Обозначение типа");
inline const QString ReductionRatio = QStringLiteral("Передаточное число");
inline const QString MeterNumber =
    QStringLiteral("Номер счетчика"); // also the built-in report layout
inline const QString Manufacturer =
    QStringLiteral("Производитель"); // also the external-data layout panel
// also the external-data layout panel and the built-in report layout
inline const QString Address = QStringLiteral("Адрес");
inline const QString VerificationDate = QStringLiteral("Дата проверки");
inline const QString VoltageUnit = QStringLiteral("Напряжение, В");
inline const QString CurrentUnit = QStringLiteral("Ток, А");
inline const QString PowerUnit = QStringLiteral("Мощность, Вт"); // also the built-in report layout
inline const QString MeterErrorPercent =
    QStringLiteral("Погрешность, %"); // check box and column title; also the built-in report layout
inline const QString NominalVoltageTitle = QStringLiteral("Uном, В"); // "U" in Latin letters
inline const QString NominalCurrentTitle = QStringLiteral("Iном, А"); // "I" in Latin letters
inline const QString MeterConstantTitle =
    QStringLiteral("A, имп/кВтч"); // the first letter is a Latin "A"
inline const QString NumberTitle = QStringLiteral("Номер");
inline const QString ReadingTitle = QStringLiteral("Пок. отсчет. устр.");
inline const QString CurrentTitle = QStringLiteral("I, А"); // "I" in Latin letters
inline const QString PowerTitle = QStringLiteral("P, Вт");  // "P" in Latin letters
inline const QString PowerFactorTitle =
    QStringLiteral("Кф. мощности"); // also the built-in report layout
inline const QString ByTypeAndNumber =
    QStringLiteral("По типу и номеру "); // with the trailing blank; also the buffer selection
inline const QString ByMeasureDate =
    QStringLiteral("По дате измерения");                             // also the buffer selection
inline const QString MeasureDate = QStringLiteral("Дата измерения"); // also the buffer selection
// radio button and the label between the range pickers; also the buffer selection
inline const QString DateBefore = QStringLiteral("до");
inline const QString DateAfter = QStringLiteral("после"); // also the buffer selection
// with the trailing blank; date and error ranges; also the buffer selection
inline const QString RangeFrom = QStringLiteral("от ");
inline const QString ByCondition = QStringLiteral("условие");
inline const QString ByErrorValue =
    QStringLiteral("По значению погрешности"); // also the buffer selection
inline const QString MeterErrorValues =
    QStringLiteral("Значения погрешности");                   // also the buffer selection
inline const QString ErrorLess = QStringLiteral("меньше");    // also the buffer selection
inline const QString ErrorGreater = QStringLiteral("больше"); // also the buffer selection
inline const QString ConditionMin = QStringLiteral("Min");
inline const QString ConditionMax = QStringLiteral("Max");
inline const QString RunQuery = QStringLiteral("Выполнить запрос"); // also the buffer selection
inline const QString DeselectAll =
    QStringLiteral("Отменить выделение"); // also the buffer selection
// "выбранно" with a double "н" as the program has always shown it
inline const QString NoColumnChosen = QStringLiteral("Ни одно поле данных не выбранно");

// Buffer selection (its other texts are those of the query builder)
inline const QString BufferSelectionCaption = QStringLiteral("Выбор счетчиков для буфера обмена");

// External data window
inline const QString ExternalDataCaption = QStringLiteral("Работа с внешними данными");
inline const QString QueryArchive = QStringLiteral("Запрос данных из архива"); // caption and hint
inline const QString OpenTable =
    QStringLiteral("Открыть таблицу"); // command caption and the chooser's label in open mode
inline const QString OpenExternalTable = QStringLiteral("Открыть внешнюю таблицу");
// command caption, the chooser's caption in save mode and caption of its messages
inline const QString SaveTable = QStringLiteral("Сохранить таблицу");
inline const QString SaveExternalTable = QStringLiteral("Сохранить данные во внешнюю таблицу");
inline const QString ClearQueryData = QStringLiteral("Удалить данные запроса"); // caption and hint
inline const QString ShowFieldLayout =
    QStringLiteral("Показать расположение полей данных для записи в архив");
inline const QString FieldLayoutNumber = QStringLiteral("Номер "); // with the trailing blank
inline const QString FieldLayoutString9 = QStringLiteral("String[9]");
inline const QString FieldLayoutString16 = QStringLiteral("String[16]");
inline const QString FieldLayoutInteger = QStringLiteral("Integer");
inline const QString FilterAccess = QStringLiteral("Access (*.mdb)");
inline const QString FilterDbase3 = QStringLiteral("dBASE III (*.dbf)");
inline const QString FilterDbase4 = QStringLiteral("dBASE IV (*.dbf)");
inline const QString FilterParadox3 =
    QStringLiteral("Pradox 3.x (*.db)"); // "Pradox" as the program has always shown it
inline const QString FilterParadox4 = QStringLiteral("Pradox 4.x (*.db)");
inline const QString FilterParadox5 = QStringLiteral("Pradox 5.x (*.db)");
inline const QString FilterParadox7 = QStringLiteral("Pradox 7.x (*.db)");
inline const QString FilterExcel = QStringLiteral("Microsoft Excel (*.xls)");
inline const QString OpenTableCaption = QStringLiteral("Открытие таблицы");
inline const QString TablesOfDatabase = QStringLiteral("Таблицы базы"); // followed by TableListFile
inline const QString TablesOfWorkbook =
    QStringLiteral("Таблицы книги"); // followed by TableListFile
inline const QString TableListFile =
    QStringLiteral(" \"%1\""); // %1 is the file name without its folder
inline const QString NewTable = QStringLiteral("Новая таблица");
// Cyrillic letters, unlike ButtonOk; OK button of the table chooser
inline const QString ButtonOkCyrillic = QStringLiteral("ОК");
inline const QString WorkbookHasNoNames = QStringLiteral(
    "Книга не содержит ячеек объедененных \"Именем\"!"); // "объедененных" as the program has always
                                                         // shown it
inline const QString DataSetCannotOpen = QStringLiteral("Набор данных не может быть открыт!");
inline const QString NotNamedRange = QStringLiteral(
    "Набор данных не объеденен \"Именем\"!"); // followed by NameSeparator and the table name
inline const QString TableExists = QStringLiteral(
    "Таблица с именем уже существует!"); // followed by NameSeparator and the table name
inline const QString NameSeparator = QStringLiteral(" - ");
// followed by a blank, the full file name and AskReplaceFileEnd
inline const QString AskReplaceFile = QStringLiteral("Заменить существующий файл");
inline const QString AskReplaceFileEnd = QStringLiteral(" ?");
inline const QString CaptionSave = QStringLiteral("Сохранить");

// Report window
inline const QString ReportCaption = QStringLiteral("Формирование отчетов");
inline const QString ReportTemplate = QStringLiteral("Шаблон отчета");
inline const QString RefreshList = QStringLiteral("Обновить список");
inline const QString ReportDesigner = QStringLiteral(
    "Дезайнер отчетов"); // command caption, spelt so; its tooltip is ReportDesignerHint
inline const QString ReportDesignerHint = QStringLiteral("Дизайнер отчетов");
inline const QString MarkAll = QStringLiteral("Отметить все");
inline const QString NoMetersChosen =
    QStringLiteral("Нет выбранных счетчиков для создания отчета.");
inline const QString ChooseTemplate = QStringLiteral("Необходимо выбрать шаблон для отчета.");
inline const QString TemplateNotFound =
    QStringLiteral("Ошибка! Файл шаблона для отчета не найден.");
inline const QString TemplateHasErrors = QStringLiteral("Шаблон отчета содержит ошибки.");

// Built-in report layout
inline const QString LayoutCompany = QStringLiteral("(Предприятие поверитель)");
// two blanks after the first word; followed by the current date
inline const QString LayoutProtocolTitle = QStringLiteral("ПРОТОКОЛ  ПОВЕРКИ ОТ");
inline const QString LayoutReductionRatio = QStringLiteral("Пер. число, имп/кВт*ч");
inline const QString LayoutVerificationDate = QStringLiteral("Дата проверки:");
inline const QString LayoutCreep = QStringLiteral("Самоход:");
inline const QString LayoutReading = QStringLiteral(
    "Показание осчетного устройства:"); // "осчетного" as the program has always shown it
inline const QString LayoutLineNumber = QStringLiteral("№");
inline const QString LayoutVoltagePercent = QStringLiteral("Напряжение, %");
inline const QString LayoutCurrentPercent = QStringLiteral("Ток, %");

// Error curve window and its command in the archive and exchange windows
inline const QString ErrorCurve =
    QStringLiteral("График погрешности"); // command and window caption
// type, number, date, creep-test text, register reading
inline const QString CurveCaption =
    QStringLiteral("%1 № %2, поверка %3, самоход: %4, показание счетчика: %5");
// voltage, current, power, power factor, error text
inline const QString CurvePointHint =
    QStringLiteral("U = %1 В, I = %2 А, P = %3 Вт, Км %4, погрешность %5 %");
inline const QString CurveNoVerification =
    QStringLiteral("Поверка не выбрана: у счетчика нет поверок.");
inline const QString CurveNoResults = QStringLiteral("В этой поверке нет результатов измерений.");
// followed by a line with the point's values
inline const QString CurveSinglePoint =
    QStringLiteral("В этой поверке одна точка измерения, график по одной точке не строится:");
inline const QString CurveNothingDrawable = QStringLiteral(
    "Ни у одного результата этой поверки нет тока больше нуля и погрешности: график не строится.");
inline const QString CurveSkipped =
    QStringLiteral("Не показаны результаты без тока или погрешности: %1.");
inline const QString CurveBand = QStringLiteral("Пределы класса %1, Км %2"); // class, power factors
inline const QString CurveClassUnknown =
    QStringLiteral("Для класса точности %1 пределы не заданы (заданы для 0.5S, 1 и 2).");
inline const QString CurveNoNominalCurrent =
    QStringLiteral("Номинальный ток типа не задан: пределы класса не показаны.");
inline const QString CurveBeyondLimits = QStringLiteral("Вне пределов класса: %1 из %2.");
inline const QString CurveSaveFilter =
    QStringLiteral("Рисунок PNG (*.png);;Рисунок SVG (*.svg);;Документ PDF (*.pdf)");
inline const QString CurveSaveFailed = QStringLiteral("Не удалось записать файл %1.");

} // namespace ULang
