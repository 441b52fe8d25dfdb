// The window and buffer around the engine, as a test records them; stores records in a list.
#pragma once

#include "exchange/exchangehooks.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <stdexcept>

class FakeHooks : public ExchangeHooks
{
  public:
    QList<MeterRow> meters;
    QList<TypeRow> types;
    qsizetype meterCursor = 0;
    qsizetype typeCursor = 0;
    QList<DeviceRecord> stored;
    // Says when reading the next meter row fails, as a database that refuses does.
    std::function<bool()> nextRowFails = [] { return false; };
    // Decides whether a record can be stored; may throw.
    std::function<bool(const DeviceRecord&)> canStore = [](const DeviceRecord&) { return true; };
    QString status;
    StatusColour colour = StatusColour::Unchanged;
    QStringList statusHistory;
    int toggles = 0;
    int panelClosed = 0;
    int countUpdates = 0;
    int rewinds = 0;
    QString rateText = QStringLiteral("19200");

    bool StoreRecord(const DeviceRecord& values) override
    {
        if (!canStore(values))
            return false;
        stored.append(values);
        return true;
    }
    void SetStatus(const QString& text, StatusColour c) override
    {
        status = text;
        if (c != StatusColour::Unchanged)
            colour = c;
        statusHistory.append(text);
    }
    void ToggleStatusVisible() override { ++toggles; }
    void ClosePanel() override { ++panelClosed; }
    void UpdateMeterCount() override { ++countUpdates; }
    std::optional<MeterRow> NextMeterRow() override
    {
        if (nextRowFails())
            throw std::runtime_error("the buffer cannot be read");
        if (meterCursor >= meters.size())
            return std::nullopt;
        return meters.at(meterCursor++);
    }
    std::optional<TypeRow> NextTypeRow() override
    {
        if (typeCursor >= types.size())
            return std::nullopt;
        return types.at(typeCursor++);
    }
    void RewindRows() override
    {
        meterCursor = 0;
        typeCursor = 0;
        ++rewinds;
    }
    QString RateSettingText() const override { return rateText; }
};
