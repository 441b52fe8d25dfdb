// Buffer selection: the tree of types and meters beside the conditions, and the buffer rewrite.
#include "ui/selection/tfsqlshapesinchro.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "database/tdm.h"
#include "selection/archivetrees.h"
#include "widgets/checktreeview.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>

TFSQLShapeSinchro* FSQLShapeSinchro = nullptr;

TFSQLShapeSinchro::TFSQLShapeSinchro(TDM& dm, QWidget* parent)
    : SelectionDialog(dm, ULang::BufferSelectionCaption, false, false, parent)
{
    setObjectName(QStringLiteral("FSQLShapeSinchro"));
    auto* body = new QHBoxLayout;
    body->addWidget(TreePanel(), 1);
    body->addWidget(ConditionsColumn());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(RunToolBar());
    layout->addLayout(body, 1);
    resize(600, 420);
    AGenerateTreeExecute();
    if (!FSQLShapeSinchro)
        FSQLShapeSinchro = this;
}

TFSQLShapeSinchro::~TFSQLShapeSinchro()
{
    if (FSQLShapeSinchro == this)
        FSQLShapeSinchro = nullptr;
}

CheckTree TFSQLShapeSinchro::ReadTree() const
{
    return ArchiveTrees::MeterTree(m_dm.ConnectionName());
}

BufferSelectionChoices TFSQLShapeSinchro::Choices() const
{
    using C = BufferSelectionChoices;
    C c;
    c.byTree = CBIdent->isChecked();
    c.byDate = CheckBoxData->isChecked();
    c.date = RBDataBefore->isChecked()  ? C::Date::Before
             : RBDataAfter->isChecked() ? C::Date::After
                                        : C::Date::Range;
    c.dateBefore = DTPBefore->date();
    c.dateAfter = DTPAfter->date();
    c.dateFrom = DTPFBFrom->date();
    c.dateTo = DTPFBBefore->date();
    c.byError = CBMistakeCondition->isChecked();
    c.error = RBResultBefore->isChecked()  ? C::Error::Less
              : RBResultAfter->isChecked() ? C::Error::Greater
                                           : C::Error::Range;
    c.errorLess = EBefore->text();
    c.errorGreater = EAfter->text();
    c.errorFrom = EFBFrom->text();
    c.errorTo = EFBBefore->text();
    return c;
}

void TFSQLShapeSinchro::AGenerateSQLExecute()
{
    if (!BufferSelection::Run(m_dm, Choices(), TV1->Model()->Tree()))
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    if (UpdateMeterCount)
        UpdateMeterCount();
    accept();
}
