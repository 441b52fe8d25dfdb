// The serial-port settings panel: port and rate, chosen with the mouse only.
#pragma once

#include <QComboBox>
#include <QDialog>

class SettingsStore;

// A drop-down list that ignores the keyboard and the wheel, so only a listed value can be chosen.
class MouseOnlyComboBox : public QComboBox
{
    Q_OBJECT
  public:
    using QComboBox::QComboBox;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

class SFConfigCom : public QDialog
{
    Q_OBJECT
  public:
    explicit SFConfigCom(QWidget* parent = nullptr);

    MouseOnlyComboBox* CBNumCom;
    MouseOnlyComboBox* CBSpeedCom;

    // Settings group and keys of the port settings.
    static QString Section() { return QStringLiteral("TFExpert.REGEH"); }
    void Restore(SettingsStore& store);
    void Save(SettingsStore& store) const;
};
