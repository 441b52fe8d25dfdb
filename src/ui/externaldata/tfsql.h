// The external-data window: the result of the archive query builder and external tables.
#pragma once

#include "widgets/mdichild.h"

#include <functional>

class DBGrid;
class TDM;

class TFSQL : public MdiChild
{
    Q_OBJECT
  public:
    explicit TFSQL(TDM& dm, QWidget* parent = nullptr);
    DBGrid* DBGridSQL;
    // Opens the archive query builder; set by start-up, which creates the dialog.
    std::function<void()> OpenQueryBuilder;
};

extern TFSQL* FSQL;
