// Query builder: the column page, the conditions page and the run of the statement.
#include "ui/selection/tfsqlshape.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "database/tdm.h"
#include "selection/archivetrees.h"
#include "widgets/checktreeview.h"
#include "widgets/dbgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

TFSQLShape* FSQLShape = nullptr;

TFSQLShape::TFSQLShape(TDM& dm, QWidget* parent)
    : SelectionDialog(dm, ULang::QueryBuilderCaption, true, true, parent)
{
    setObjectName(QStringLiteral("FSQLShape"));

    // Page of the output columns: four groups in catalogue order.
    auto* columnsPage = new QWidget(this);
    columnsPage->setObjectName(QStringLiteral("TabSheetColumns"));
    auto* columnsGrid = new QGridLayout(columnsPage);
    const QString groupCaptions[4] = {ULang::GroupTypes, ULang::GroupMeters, ULang::DateTitle,
                                      ULang::GroupResults};
    QGroupBox* groups[4];
    for (int g = 0; g < 4; ++g) {
        groups[g] = new QGroupBox(groupCaptions[g], columnsPage);
        new QVBoxLayout(groups[g]);
        columnsGrid->addWidget(groups[g], g / 2, g % 2);
    }
    for (const QueryColumn& column : QueryColumns()) {
        QGroupBox* group = groups[static_cast<int>(column.group)];
        auto* box = new QCheckBox(column.caption, group);
        box->setObjectName(column.checkBox);
        static_cast<QVBoxLayout*>(group->layout())->addWidget(box);
        m_columnBoxes << box;
        m_titles << column.title;
    }
    for (QGroupBox* g : groups)
        static_cast<QVBoxLayout*>(g->layout())->addStretch(1);
    CBTip = m_columnBoxes.at(0);
    CBDateMeasure = findChild<QCheckBox*>(QStringLiteral("CBDateMeasure"));
    CBMistakeMeasure = findChild<QCheckBox*>(QStringLiteral("CBMistakeMeasure"));

    // Page of the conditions: the tree beside the date and error conditions.
    auto* conditionsPage = new QWidget(this);
    conditionsPage->setObjectName(QStringLiteral("TabSheetConditions"));
    auto* conditionsLayout = new QHBoxLayout(conditionsPage);
    conditionsLayout->addWidget(TreePanel(), 1);
    conditionsLayout->addWidget(ConditionsColumn());

    Pages = new QStackedWidget(this);
    Pages->setObjectName(QStringLiteral("PageControl"));
    Pages->addWidget(columnsPage);
    Pages->addWidget(conditionsPage);
    TabSet = new QTabBar(this);
    TabSet->setObjectName(QStringLiteral("TabSet"));
    TabSet->setShape(QTabBar::RoundedSouth);
    TabSet->setAccessibleName(ULang::QueryBuilderCaption);
    TabSet->addTab(ULang::PageColumns);
    TabSet->addTab(ULang::PageConditions);
    connect(TabSet, &QTabBar::currentChanged, Pages, &QStackedWidget::setCurrentIndex);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu->addAction(ASelectAll);
    PopupMenu->addAction(ADeSelectAll);
    TV1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TV1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu->popup(TV1->viewport()->mapToGlobal(pos)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(RunToolBar());
    layout->addWidget(Pages, 1);
    layout->addWidget(TabSet);
    resize(640, 470);

    ConditionsChanged();
    AGenerateTreeExecute();
    if (!FSQLShape)
        FSQLShape = this;
}

TFSQLShape::~TFSQLShape()
{
    if (FSQLShape == this)
        FSQLShape = nullptr;
}

void TFSQLShape::SetResultGrid(DBGrid* grid, std::function<void()> updateExportAction)
{
    m_resultGrid = grid;
    m_updateExportAction = std::move(updateExportAction);
}

QList<QCheckBox*> TFSQLShape::Group(ColumnGroup group) const
{
    QList<QCheckBox*> boxes;
    for (int i = 0; i < QueryColumnCount; ++i) {
        if (QueryColumns().at(i).group == group)
            boxes << m_columnBoxes.at(i);
    }
    return boxes;
}

CheckTree TFSQLShape::ReadTree() const
{
    return ArchiveTrees::VerificationTree(m_dm.ConnectionName());
}

void TFSQLShape::ConditionsChanged()
{
    // A Min/Max condition needs its column in the result: it is checked and locked meanwhile.
    const bool dateCondition = CheckBoxData->isChecked() && RBDataCondition->isChecked();
    if (dateCondition)
        CBDateMeasure->setChecked(true);
    CBDateMeasure->setEnabled(!dateCondition);
    const bool errorCondition = CBMistakeCondition->isChecked() && RBResultCondition->isChecked();
    if (errorCondition)
        CBMistakeMeasure->setChecked(true);
    CBMistakeMeasure->setEnabled(!errorCondition);
}

ArchiveQueryChoices TFSQLShape::Choices() const
{
    ArchiveQueryChoices c;
    for (int i = 0; i < QueryColumnCount; ++i)
        c.columns.set(static_cast<std::size_t>(i), m_columnBoxes.at(i)->isChecked());
    c.byTree = CBIdent->isChecked();
    c.byDate = CheckBoxData->isChecked();
    c.date = RBDataBefore->isChecked()       ? DateChoice::Before
             : RBDataAfter->isChecked()      ? DateChoice::After
             : RBDataFromBefore->isChecked() ? DateChoice::Range
                                             : DateChoice::Condition;
    c.dateBefore = DTPBefore->date();
    c.dateAfter = DTPAfter->date();
    c.dateFrom = DTPFBFrom->date();
    c.dateTo = DTPFBBefore->date();
    c.dateCondition = CBDataCondition->currentText();
    c.byError = CBMistakeCondition->isChecked();
    c.error = RBResultBefore->isChecked()       ? ErrorChoice::Less
              : RBResultAfter->isChecked()      ? ErrorChoice::Greater
              : RBResultFromBefore->isChecked() ? ErrorChoice::Range
                                                : ErrorChoice::Condition;
    c.errorLess = EBefore->text();
    c.errorGreater = EAfter->text();
    c.errorFrom = EFBFrom->text();
    c.errorTo = EFBBefore->text();
    c.errorCondition = CBResultCondition->currentText();
    return c;
}

void TFSQLShape::AGenerateSQLExecute()
{
    switch (ArchiveQuery::Run(m_dm, Choices(), TV1->Model()->Tree())) {
    case ArchiveQuery::RunResult::NoColumns:
        ShowMessage(ULang::NoColumnChosen, ULang::CaptionError, MsgIcon::Error);
        return;
    case ArchiveQuery::RunResult::Stopped:
        return;
    case ArchiveQuery::RunResult::Failed:
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
        break;
    case ArchiveQuery::RunResult::Done:
        break;
    }
    if (m_updateExportAction)
        m_updateExportAction();
    ApplyColumnTitles();
    accept();
}

void TFSQLShape::ApplyColumnTitles()
{
    if (!m_resultGrid)
        return;
    // The grid takes the result's fields afresh; those named in the catalogue get its titles.
    m_resultGrid->SetDataSet(m_resultGrid->GetDataSet());
    QList<GridColumn> columns = m_resultGrid->Model()->Columns();
    for (GridColumn& column : columns) {
        for (int i = 0; i < QueryColumnCount; ++i) {
            if (QueryColumns().at(i).fieldName == column.field)
                column.title = m_titles.at(i);
        }
    }
    m_resultGrid->SetDataSet(m_resultGrid->GetDataSet(), columns);
}
