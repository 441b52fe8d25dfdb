// The archive query builder "Выбор данных из архива": output columns, the tree of types, meters
// and verifications, date and error conditions; its result goes to the external-data window.
#pragma once

#include "selection/archivequery.h"
#include "ui/selection/selectiondialog.h"

#include <QList>
#include <QPointer>

#include <functional>

class DBGrid;
class QMenu;
class QStackedWidget;
class QTabBar;

class TFSQLShape : public SelectionDialog
{
    Q_OBJECT
  public:
    explicit TFSQLShape(TDM& dm, QWidget* parent = nullptr);
    ~TFSQLShape() override;

    // The external-data window's grid, whose columns get the catalogue's titles after a run, and
    // its export-availability update, called after every run.
    void SetResultGrid(DBGrid* grid, std::function<void()> updateExportAction);

    // What the controls say, for the statement.
    ArchiveQueryChoices Choices() const;

    QCheckBox* ColumnBox(int catalogueIndex) const { return m_columnBoxes.at(catalogueIndex); }
    // The four lists of column check boxes: types, meters, verifications, results.
    QList<QCheckBox*> Group(ColumnGroup group) const;

    QStackedWidget* Pages;
    QTabBar* TabSet;
    QMenu* PopupMenu;
    // The column check boxes by their names.
    QCheckBox* CBTip;
    QCheckBox* CBMistakeMeasure;
    QCheckBox* CBDateMeasure;

  protected:
    CheckTree ReadTree() const override;
    void ConditionsChanged() override;
    void AGenerateSQLExecute() override;

  private:
    void ApplyColumnTitles();

    QList<QCheckBox*> m_columnBoxes; // catalogue order
    QList<QString> m_titles;         // catalogue order
    QPointer<DBGrid> m_resultGrid;
    std::function<void()> m_updateExportAction;
};

extern TFSQLShape* FSQLShape;
