// The exchange window: the buffer of meters, verifications and results exchanged with the KM350.
#pragma once

#include "widgets/mdichild.h"

class DBGrid;
class QSplitter;
class TDM;

class TFSinchro : public MdiChild {
    Q_OBJECT
public:
    explicit TFSinchro(TDM& dm, QWidget* parent = nullptr);
    void SaveSettings(SettingsStore& store) const override;
    void RestoreSettings(SettingsStore& store);

    DBGrid* DBGridTTipSinch;
    DBGrid* DBGridSData;
    DBGrid* DBGridTResultSinch;

private:
    QSplitter* m_split1;
    QSplitter* m_split2;
};

extern TFSinchro* FSinchro;
