// Entry panel for a new meter of the current type: number, address, maker, year of manufacture.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class TDM;

class SFNewIdent : public QDialog
{
    Q_OBJECT
  public:
    explicit SFNewIdent(TDM& dm, QWidget* parent = nullptr);

    QLineEdit* ENum;
    QLineEdit* EAddress;
    QLineEdit* EMaker;
    QLineEdit* EYear;
    QPushButton* btOK;
    QPushButton* btCancel;

  public slots:
    // Closes with OK only when every field is filled and the type has no such meter yet.
    void btOKClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TDM& m_dm;
};
