// The meter types window's panel for a new device type: designation and meter constant.
#pragma once

#include <QDialog>

class DataSet;
class QLineEdit;
class QPushButton;

class TableNewTipPanel : public QDialog
{
    Q_OBJECT
  public:
    // types: the view the duplicate look-up searches.
    explicit TableNewTipPanel(DataSet& types, QWidget* parent = nullptr);

    QLineEdit* ETip;
    QLineEdit* EReduct;
    QPushButton* btOK;
    QPushButton* btCancel;

    // The constant field's text as FloatToText(TextToFloat(text)); empty reads "0".
    void NormaliseReduct();
    void btOKClick();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    DataSet& m_types;
};
