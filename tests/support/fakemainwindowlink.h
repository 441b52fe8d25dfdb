// The main window as a child window sees it, with port settings a test chooses.
#pragma once

#include "widgets/mainwindowlink.h"

#include <QList>

class FakeMainWindowLink : public MainWindowLink
{
  public:
    DBGrid* ActiveGrid() const override { return grid; }
    void SetActiveGrid(DBGrid* g) override { grid = g; }
    QString ComPortText() const override { return port; }
    QString ComSpeedText() const override { return speed; }
    void ShowSystemButtons() override { ++systemButtons; }
    void ShowHelpTopic(int topic) override { helpTopics << topic; }

    DBGrid* grid = nullptr;
    QString port = QStringLiteral("COM1");
    QString speed = QStringLiteral("57600");
    int systemButtons = 0;
    QList<int> helpTopics;
};
