// Table of print titles by data source.
#include "shell/gridexport/gridprinttitle.h"

#include <utility>

QString GridPrintTitle::forDataSource(const QString& dataSourceName)
{
    static const std::pair<const char*, QString> titles[] = {
        {"DSTip", QStringLiteral("Архив - Параметры счетчиков")},
        {"DSIdent", QStringLiteral("Архив - Обозначение счетчиков")},
        {"DSResult", QStringLiteral("Архив - Результаты проверки")},
        {"DSTableTip", QStringLiteral("Типы счетчиков")},
        {"DSSinchro", QStringLiteral("Буфер обмена - Параметры счетчиков")},
        {"DSSinchroResult", QStringLiteral("Буфер обмена - Результаты проверки")},
    };
    for (const auto& [name, title] : titles)
        if (dataSourceName == QLatin1String(name))
            return title;
    return {};
}
