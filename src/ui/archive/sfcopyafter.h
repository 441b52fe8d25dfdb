// Report panel after external rows were copied: total, copied and skipped as repeats.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class SFCopyAfter : public QDialog
{
    Q_OBJECT
  public:
    explicit SFCopyAfter(QWidget* parent = nullptr);

    void SetCounts(int total, int copied, int skipped);

    QLabel* LTotal;
    QLabel* LCopied;
    QLabel* LSkipped;
    QPushButton* btOK;
};
