// The meter types window: the device type table.
#pragma once

#include "widgets/mdichild.h"

class DBGrid;
class TDM;

class TFTable : public MdiChild {
    Q_OBJECT
public:
    explicit TFTable(TDM& dm, QWidget* parent = nullptr);
    void SaveSettings(SettingsStore& store) const override;
    void RestoreSettings(SettingsStore& store);

    DBGrid* DBGridTTable;
};

extern TFTable* FTable;
