// The archive window: meter types, their meters, verifications and results.
#pragma once

#include "widgets/mdichild.h"

class DBGrid;
class QSplitter;
class TDM;

class TFTip : public MdiChild {
    Q_OBJECT
public:
    explicit TFTip(TDM& dm, QWidget* parent = nullptr);
    void SaveSettings(SettingsStore& store) const override;
    void RestoreSettings(SettingsStore& store);

    DBGrid* DBGridTTip;
    DBGrid* DBGridTIdent;
    DBGrid* DBGridTData;
    DBGrid* DBGridTResult;

private:
    QSplitter* m_split1; // types and meters | results
    QSplitter* m_split2; // types | meters
    QSplitter* m_split3; // verifications | results
};

extern TFTip* FTip;
