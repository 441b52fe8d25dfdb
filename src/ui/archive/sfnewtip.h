// Entry panel for a new meter type: designation, nominal voltage and current, constant, class.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class TDM;

class SFNewTip : public QDialog
{
    Q_OBJECT
  public:
    explicit SFNewTip(TDM& dm, QWidget* parent = nullptr);

    QLineEdit* ETip;
    QLineEdit* EUnom;
    QLineEdit* EInom;
    QLineEdit* EReduct;
    QLineEdit* EClassT;
    QPushButton* btOK;
    QPushButton* btCancel;

  public slots:
    // Closes with OK only when every field is filled and the designation is new.
    void btOKClick();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TDM& m_dm;
};
