// External-data window: shows the selection dataset.
#include "ui/externaldata/tfsql.h"

#include "core/ulang.h"
#include "core/utools.h"
#include "database/tdm.h"
#include "widgets/dbgrid.h"

TFSQL* FSQL = nullptr;

TFSQL::TFSQL(TDM& dm, QWidget* parent)
    : MdiChild(ULang::ExternalDataCaption, QStringLiteral("TFSQL.REGEH"), parent),
      DBGridSQL(new DBGrid)
{
    setObjectName(QStringLiteral("FSQL"));
    DBGridSQL->setObjectName(QStringLiteral("DBGridSQL"));
    DBGridSQL->SetDataSet(dm.ADODataSetSQL);
    DBGridSQL->setAccessibleName(ULang::ExternalDataCaption);
    setWidget(DBGridSQL);
    TrackGrid(DBGridSQL);
    LastSelectState = 2;
    resize(600, 400);
    if (!FSQL)
        FSQL = this;
}
