// What the query builder and the buffer selection share: the run command, the check-mark tree of
// the archive on its panel, the date and error conditions with their coupling and key rules, and
// the opening of either dialog.
#pragma once

#include <QDialog>

class CheckTree;
class CheckTreeView;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolBar;
class TDM;

class SelectionDialog : public QDialog
{
    Q_OBJECT
  public:
    // Rebuilds the tree from the archive; every mark starts unchecked.
    void AGenerateTreeExecute();

    // Opens a selection dialog as the program always has: when meter types or meters were posted
    // or deleted since the trees were built, both dialogs' trees are rebuilt first.
    static void Open(SelectionDialog& dialog, const QList<SelectionDialog*>& trees);

    QAction* AGenerateSQL;
    QAction* AGenerateTree;
    QAction* ASelectAll;
    QAction* ADeSelectAll;

    QCheckBox* CBIdent;
    QWidget* PTV;
    CheckTreeView* TV1;

    QCheckBox* CheckBoxData;
    QGroupBox* GroupBoxData;
    QRadioButton* RBDataBefore;
    QRadioButton* RBDataAfter;
    QRadioButton* RBDataFromBefore;
    QRadioButton* RBDataCondition = nullptr; // query builder only
    QDateEdit* DTPBefore;
    QDateEdit* DTPAfter;
    QDateEdit* DTPFBFrom;
    QDateEdit* DTPFBBefore;
    QComboBox* CBDataCondition = nullptr;

    QCheckBox* CBMistakeCondition;
    QGroupBox* GroupBoxResult;
    QRadioButton* RBResultBefore;
    QRadioButton* RBResultAfter;
    QRadioButton* RBResultFromBefore;
    QRadioButton* RBResultCondition = nullptr; // query builder only
    QLineEdit* EBefore;
    QLineEdit* EAfter;
    QLineEdit* EFBFrom;
    QLineEdit* EFBBefore;
    QComboBox* CBResultCondition = nullptr;

  protected:
    // minMax: the "условие" choices of the query builder; minusAllowed: negative error bounds.
    SelectionDialog(TDM& dm, const QString& caption, bool minMax, bool minusAllowed,
                    QWidget* parent);

    // The tree of this dialog, read from the archive. Throws DatabaseError.
    virtual CheckTree ReadTree() const = 0;
    // Called after any change of the date or error conditions.
    virtual void ConditionsChanged() {}
    virtual void AGenerateSQLExecute() = 0;

    QToolBar* RunToolBar();      // the toolbar with the run command
    QWidget* TreePanel();        // CBIdent above PTV: its toolbar and the tree
    QWidget* ConditionsColumn(); // the date and the error conditions

    TDM& m_dm;

  private:
    void CBIdentClick();
    void CheckBoxDataClick();
    void CBMistakeConditionClick();
    void RBDataBeforeClick();
    void RBResultBeforeClick();

    QToolBar* m_runBar;
    QWidget* m_treePanel;
    QWidget* m_conditions;
};
