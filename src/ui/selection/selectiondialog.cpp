// Selection dialogs' shared controls: built once, enabled by the rules of the conditions.
#include "ui/selection/selectiondialog.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/dataset.h"
#include "selection/checktree.h"
#include "ui/selection/errorboundfilter.h"
#include "widgets/checktreeview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{

// The Min/Max lists can only be picked from: typed keys are discarded.
class PickOnlyFilter : public QObject
{
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        return !key->text().isEmpty() && key->text().at(0).isPrint();
    }
};

QComboBox* MinMaxBox(const QString& name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems({ULang::ConditionMin, ULang::ConditionMax});
    box->setCurrentText(ULang::ConditionMax);
    box->setAccessibleName(ULang::ByCondition);
    box->installEventFilter(new PickOnlyFilter(box));
    return box;
}

QDateEdit* DatePicker(const QString& name, const QString& accessibleName, QWidget* parent)
{
    auto* picker = new QDateEdit(QDate::currentDate(), parent);
    picker->setObjectName(name);
    picker->setDisplayFormat(ShortDateFormat.toString());
    picker->setCalendarPopup(true);
    picker->setAccessibleName(accessibleName);
    if (auto* edit = picker->findChild<QLineEdit*>())
        edit->setAccessibleName(accessibleName);
    return picker;
}

QLineEdit* BoundEdit(const QString& name, const QString& accessibleName, bool minusAllowed,
                     QWidget* parent)
{
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(name);
    edit->setMaxLength(7);
    edit->setAccessibleName(accessibleName);
    ErrorBoundFilter::Install(edit, minusAllowed);
    return edit;
}

QRadioButton* Radio(const QString& name, const QString& caption, QWidget* parent)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(name);
    return radio;
}

} // namespace

SelectionDialog::SelectionDialog(TDM& dm, const QString& caption, bool minMax, bool minusAllowed,
                                 QWidget* parent)
    : QDialog(parent), m_dm(dm)
{
    setWindowTitle(caption);
    QStyle* st = style();
    auto action = [this](const QString& name, const QString& text, const QIcon& icon) {
        auto* a = new QAction(icon, text, this);
        a->setObjectName(name);
        a->setToolTip(text);
        return a;
    };
    AGenerateSQL = action(QStringLiteral("AGenerateSQL"), ULang::RunQuery,
                          st->standardIcon(QStyle::SP_MediaPlay));
    AGenerateTree = action(QStringLiteral("AGenerateTree"), QStringLiteral("?"), QIcon());
    ASelectAll = action(QStringLiteral("ASelectAll"), ULang::SelectAll,
                        st->standardIcon(QStyle::SP_DialogApplyButton));
    ADeSelectAll = action(QStringLiteral("ADeSelectAll"), ULang::DeselectAll,
                          st->standardIcon(QStyle::SP_DialogResetButton));
    connect(AGenerateSQL, &QAction::triggered, this, [this] { AGenerateSQLExecute(); });
    connect(AGenerateTree, &QAction::triggered, this, &SelectionDialog::AGenerateTreeExecute);

    // Run command.
    m_runBar = new QToolBar(this);
    m_runBar->setObjectName(QStringLiteral("ToolBarSQL"));
    m_runBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_runBar->addAction(AGenerateSQL);

    // Tree on its panel.
    m_treePanel = new QWidget(this);
    CBIdent = new QCheckBox(ULang::ByTypeAndNumber, m_treePanel);
    CBIdent->setObjectName(QStringLiteral("CBIdent"));
    PTV = new QWidget(m_treePanel);
    PTV->setObjectName(QStringLiteral("PTV"));
    auto* treeBar = new QToolBar(PTV);
    treeBar->setObjectName(QStringLiteral("ToolBarTV"));
    treeBar->setIconSize(QSize(16, 16));
    treeBar->addAction(ASelectAll);
    treeBar->addAction(ADeSelectAll);
    TV1 = new CheckTreeView(PTV);
    TV1->setObjectName(QStringLiteral("TV1"));
    TV1->setAccessibleName(ULang::ByTypeAndNumber.trimmed());
    connect(ASelectAll, &QAction::triggered, this, [this] { TV1->Model()->SetAllMarks(true); });
    connect(ADeSelectAll, &QAction::triggered, this, [this] { TV1->Model()->SetAllMarks(false); });
    auto* ptvLayout = new QVBoxLayout(PTV);
    ptvLayout->setContentsMargins(0, 0, 0, 0);
    ptvLayout->setSpacing(0);
    ptvLayout->addWidget(treeBar);
    ptvLayout->addWidget(TV1, 1);
    auto* treeLayout = new QVBoxLayout(m_treePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(CBIdent);
    treeLayout->addWidget(PTV, 1);

    // Date condition.
    m_conditions = new QWidget(this);
    CheckBoxData = new QCheckBox(ULang::ByMeasureDate, m_conditions);
    CheckBoxData->setObjectName(QStringLiteral("CheckBoxData"));
    GroupBoxData = new QGroupBox(ULang::MeasureDate, m_conditions);
    GroupBoxData->setObjectName(QStringLiteral("GroupBoxData"));
    RBDataBefore = Radio(QStringLiteral("RBDataBefore"), ULang::DateBefore, GroupBoxData);
    RBDataAfter = Radio(QStringLiteral("RBDataAfter"), ULang::DateAfter, GroupBoxData);
    RBDataFromBefore = Radio(QStringLiteral("RBDataFromBefore"), ULang::RangeFrom, GroupBoxData);
    DTPBefore = DatePicker(QStringLiteral("DTPBefore"), ULang::DateBefore, GroupBoxData);
    DTPAfter = DatePicker(QStringLiteral("DTPAfter"), ULang::DateAfter, GroupBoxData);
    DTPFBFrom = DatePicker(QStringLiteral("DTPFBFrom"), ULang::RangeFrom.trimmed(), GroupBoxData);
    DTPFBBefore = DatePicker(QStringLiteral("DTPFBBefore"), ULang::DateBefore, GroupBoxData);
    auto* dateGrid = new QGridLayout(GroupBoxData);
    dateGrid->addWidget(RBDataBefore, 0, 0);
    dateGrid->addWidget(DTPBefore, 0, 1);
    dateGrid->addWidget(RBDataAfter, 1, 0);
    dateGrid->addWidget(DTPAfter, 1, 1);
    dateGrid->addWidget(RBDataFromBefore, 2, 0);
    dateGrid->addWidget(DTPFBFrom, 2, 1);
    dateGrid->addWidget(new QLabel(ULang::DateBefore, GroupBoxData), 2, 2);
    dateGrid->addWidget(DTPFBBefore, 2, 3);
    if (minMax) {
        RBDataCondition =
            Radio(QStringLiteral("RBDataCondition"), ULang::ByCondition, GroupBoxData);
        CBDataCondition = MinMaxBox(QStringLiteral("CBDataCondition"), GroupBoxData);
        dateGrid->addWidget(RBDataCondition, 3, 0);
        dateGrid->addWidget(CBDataCondition, 3, 1);
    }
    dateGrid->setColumnStretch(4, 1);
    RBDataBefore->setChecked(true);

    // Error condition.
    CBMistakeCondition = new QCheckBox(ULang::ByErrorValue, m_conditions);
    CBMistakeCondition->setObjectName(QStringLiteral("CBMistakeCondition"));
    GroupBoxResult = new QGroupBox(ULang::MeterErrorValues, m_conditions);
    GroupBoxResult->setObjectName(QStringLiteral("GroupBoxResult"));
    RBResultBefore = Radio(QStringLiteral("RBResultBefore"), ULang::ErrorLess, GroupBoxResult);
    RBResultAfter = Radio(QStringLiteral("RBResultAfter"), ULang::ErrorGreater, GroupBoxResult);
    RBResultFromBefore =
        Radio(QStringLiteral("RBResultFromBefore"), ULang::RangeFrom, GroupBoxResult);
    EBefore = BoundEdit(QStringLiteral("EBefore"), ULang::ErrorLess, minusAllowed, GroupBoxResult);
    EAfter = BoundEdit(QStringLiteral("EAfter"), ULang::ErrorGreater, minusAllowed, GroupBoxResult);
    EFBFrom = BoundEdit(QStringLiteral("EFBFrom"), ULang::RangeFrom.trimmed(), minusAllowed,
                        GroupBoxResult);
    EFBBefore =
        BoundEdit(QStringLiteral("EFBBefore"), ULang::DateBefore, minusAllowed, GroupBoxResult);
    auto* errorGrid = new QGridLayout(GroupBoxResult);
    errorGrid->addWidget(RBResultBefore, 0, 0);
    errorGrid->addWidget(EBefore, 0, 1);
    errorGrid->addWidget(RBResultAfter, 1, 0);
    errorGrid->addWidget(EAfter, 1, 1);
    errorGrid->addWidget(RBResultFromBefore, 2, 0);
    errorGrid->addWidget(EFBFrom, 2, 1);
    errorGrid->addWidget(new QLabel(ULang::DateBefore, GroupBoxResult), 2, 2);
    errorGrid->addWidget(EFBBefore, 2, 3);
    if (minMax) {
        RBResultCondition =
            Radio(QStringLiteral("RBResultCondition"), ULang::ByCondition, GroupBoxResult);
        CBResultCondition = MinMaxBox(QStringLiteral("CBResultCondition"), GroupBoxResult);
        errorGrid->addWidget(RBResultCondition, 3, 0);
        errorGrid->addWidget(CBResultCondition, 3, 1);
    }
    errorGrid->setColumnStretch(4, 1);
    RBResultBefore->setChecked(true);
    for (QLineEdit* e : {EBefore, EAfter, EFBFrom, EFBBefore})
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);

    auto* conditionsLayout = new QVBoxLayout(m_conditions);
    conditionsLayout->setContentsMargins(0, 0, 0, 0);
    conditionsLayout->addWidget(CheckBoxData);
    conditionsLayout->addWidget(GroupBoxData);
    conditionsLayout->addSpacing(8);
    conditionsLayout->addWidget(CBMistakeCondition);
    conditionsLayout->addWidget(GroupBoxResult);
    conditionsLayout->addStretch(1);

    // Coupling.
    connect(CBIdent, &QCheckBox::toggled, this, &SelectionDialog::CBIdentClick);
    connect(CheckBoxData, &QCheckBox::toggled, this, &SelectionDialog::CheckBoxDataClick);
    connect(CBMistakeCondition, &QCheckBox::toggled, this,
            &SelectionDialog::CBMistakeConditionClick);
    for (QRadioButton* rb : {RBDataBefore, RBDataAfter, RBDataFromBefore, RBDataCondition}) {
        if (rb)
            connect(rb, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    RBDataBeforeClick();
            });
    }
    for (QRadioButton* rb :
         {RBResultBefore, RBResultAfter, RBResultFromBefore, RBResultCondition}) {
        if (rb)
            connect(rb, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    RBResultBeforeClick();
            });
    }
    CBIdentClick();
    CheckBoxDataClick();
    CBMistakeConditionClick();
}

QToolBar* SelectionDialog::RunToolBar()
{
    return m_runBar;
}

QWidget* SelectionDialog::TreePanel()
{
    return m_treePanel;
}

QWidget* SelectionDialog::ConditionsColumn()
{
    return m_conditions;
}

void SelectionDialog::AGenerateTreeExecute()
{
    try {
        TV1->Model()->SetTree(ReadTree());
    } catch (const DatabaseError&) {
        // The tree stays as it was; a rebuild is tried at the next opening after a change.
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
}

void SelectionDialog::Open(SelectionDialog& dialog, const QList<SelectionDialog*>& trees)
{
    if (ArchiveChanged) {
        for (SelectionDialog* d : trees)
            d->AGenerateTree->trigger();
        ArchiveChanged = false;
    }
    dialog.exec();
}

void SelectionDialog::CBIdentClick()
{
    PTV->setEnabled(CBIdent->isChecked());
}

void SelectionDialog::CheckBoxDataClick()
{
    GroupBoxData->setEnabled(CheckBoxData->isChecked());
    RBDataBeforeClick();
}

void SelectionDialog::RBDataBeforeClick()
{
    DTPBefore->setEnabled(RBDataBefore->isChecked());
    DTPAfter->setEnabled(RBDataAfter->isChecked());
    DTPFBFrom->setEnabled(RBDataFromBefore->isChecked());
    DTPFBBefore->setEnabled(RBDataFromBefore->isChecked());
    if (CBDataCondition)
        CBDataCondition->setEnabled(RBDataCondition->isChecked());
    ConditionsChanged();
}

void SelectionDialog::CBMistakeConditionClick()
{
    GroupBoxResult->setEnabled(CBMistakeCondition->isChecked());
    RBResultBeforeClick();
}

void SelectionDialog::RBResultBeforeClick()
{
    EBefore->setEnabled(RBResultBefore->isChecked());
    EAfter->setEnabled(RBResultAfter->isChecked());
    EFBFrom->setEnabled(RBResultFromBefore->isChecked());
    EFBBefore->setEnabled(RBResultFromBefore->isChecked());
    if (CBResultCondition)
        CBResultCondition->setEnabled(RBResultCondition->isChecked());
    ConditionsChanged();
}
