// Hooks of the benchmark: a buffer of meters to load and a count of stored records.
#pragma once

#include "exchange/exchangehooks.h"

#include <QList>

class BenchHooks : public ExchangeHooks
{
  public:
    QList<MeterRow> meters;
    qsizetype cursor = 0;
    long long storedRecords = 0;
    int panelClosed = 0;
    QString status;

    bool StoreRecord(const DeviceRecord&) override
    {
        ++storedRecords;
        return true;
    }
    void SetStatus(const QString& text, StatusColour) override { status = text; }
    void ToggleStatusVisible() override {}
    void ClosePanel() override { ++panelClosed; }
    void UpdateMeterCount() override {}
    std::optional<MeterRow> NextMeterRow() override
    {
        if (cursor >= meters.size())
            return std::nullopt;
        return meters.at(cursor++);
    }
    std::optional<TypeRow> NextTypeRow() override { return std::nullopt; }
    void RewindRows() override { cursor = 0; }
    QString RateSettingText() const override { return QStringLiteral("115200"); }
};
