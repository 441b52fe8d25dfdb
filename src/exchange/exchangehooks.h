// What the exchange engine asks of the window and the buffer tables around it.
#pragma once

#include "exchange/devicerecord.h"
#include "exchange/meterrow.h"
#include "exchange/typerow.h"

#include <QString>
#include <optional>

enum class StatusColour { Unchanged, Green, Red };

class ExchangeHooks
{
  public:
    virtual ~ExchangeHooks() = default;

    // Writes the rows of one received record, all of them or none; false (or an exception)
    // means nothing was stored, and the record is refused.
    virtual bool StoreRecord(const DeviceRecord& values) = 0;
    // The status text of the exchange panel.
    virtual void SetStatus(const QString& text, StatusColour colour) = 0;
    virtual void ToggleStatusVisible() = 0;
    // Ends the modal display of the exchange panel.
    virtual void ClosePanel() = 0;
    virtual void UpdateMeterCount() = 0;
    // The current buffer meter (or device type), after which the cursor moves on;
    // nothing when the cursor is past the last row.
    virtual std::optional<MeterRow> NextMeterRow() = 0;
    virtual std::optional<TypeRow> NextTypeRow() = 0;
    // Both cursors back to their first rows.
    virtual void RewindRows() = 0;
    // The rate chosen in the settings: "19200", "38400", "57600" or "115200".
    virtual QString RateSettingText() const = 0;
};
