// Table of print titles by data source.
#include "gridexport/gridprinttitle.h"

#include "core/ulang.h"

#include <utility>

QString GridPrintTitle::forDataSource(const QString& dataSourceName)
{
    static const std::pair<const char*, QString> titles[] = {
        {"DSTip", ULang::PrintTitleArchiveTypes},
        {"DSIdent", ULang::PrintTitleArchiveMeters},
        {"DSResult", ULang::PrintTitleArchiveResults},
        {"DSTableTip", ULang::MeterTypesCaption},
        {"DSSinchro", ULang::PrintTitleBufferMeters},
        {"DSSinchroResult", ULang::PrintTitleBufferResults},
    };
    for (const auto& [name, title] : titles)
        if (dataSourceName == QLatin1String(name))
            return title;
    return {};
}
