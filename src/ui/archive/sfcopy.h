// Confirmation panel before external rows are copied into the archive as meters.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class SFCopy : public QDialog
{
    Q_OBJECT
  public:
    explicit SFCopy(QWidget* parent = nullptr);

    // The current archive type and the number of rows to copy, shown each time the panel opens.
    void SFCopyShow(const QString& meterType, int rowCount);

    QLabel* LTip;
    QLabel* LCount;
    QPushButton* btContinue;
    QPushButton* btCancel;
};
