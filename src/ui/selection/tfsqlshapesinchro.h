// The buffer selection "Выбор счетчиков для буфера обмена": the exchange buffer's meters replaced
// by archive meters chosen by type and number, by their results' dates and by their errors.
#pragma once

#include "selection/bufferselection.h"
#include "ui/selection/selectiondialog.h"

#include <functional>

class TFSQLShapeSinchro : public SelectionDialog
{
    Q_OBJECT
  public:
    explicit TFSQLShapeSinchro(TDM& dm, QWidget* parent = nullptr);
    ~TFSQLShapeSinchro() override;

    // The exchange window's refresh of its meter count, called after every run.
    std::function<void()> UpdateMeterCount;

    // What the controls say, for the statement.
    BufferSelectionChoices Choices() const;

  protected:
    CheckTree ReadTree() const override;
    void AGenerateSQLExecute() override;
};

extern TFSQLShapeSinchro* FSQLShapeSinchro;
