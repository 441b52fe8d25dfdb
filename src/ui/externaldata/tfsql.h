// The external-data window: the result of the archive query builder and external tables.
#pragma once

#include "widgets/mdichild.h"

class DBGrid;
class TDM;

class TFSQL : public MdiChild
{
    Q_OBJECT
  public:
    explicit TFSQL(TDM& dm, QWidget* parent = nullptr);
    DBGrid* DBGridSQL;
};

extern TFSQL* FSQL;
