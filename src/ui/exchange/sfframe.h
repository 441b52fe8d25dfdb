// SFFrame: the modal exchange panel with the status text, the port state and the cancel button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class SFFrame : public QDialog
{
    Q_OBJECT
  public:
    explicit SFFrame(QWidget* parent = nullptr);

    // Status text; green while the exchange runs, red on failure.
    void SetStatus(const QString& text);
    void SetStatusColour(const QColor& colour);

    QLabel* LabelCom;
    QLabel* LCom;
    QLabel* LSpeedCom;
    QLabel* LOpenPort;
    QPushButton* abcPicBtn1;

  signals:
    // The user asks to end the exchange (button, Esc or the window's close).
    void CancelRequested();

  public slots:
    // Ending the display is the exchange's business: a cancel only asks for it.
    void reject() override;
};
