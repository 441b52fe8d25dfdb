// What child windows need of the main window, without depending on it.
#pragma once

#include <QString>

class DBGrid;

class MainWindowLink
{
  public:
    virtual ~MainWindowLink() = default;
    // The grid that the grid commands (print, save, select all) act on.
    virtual DBGrid* ActiveGrid() const = 0;
    virtual void SetActiveGrid(DBGrid* grid) = 0;
    // The port settings chosen in the serial-port panel ("COM1".., "19200"..).
    virtual QString ComPortText() const = 0;
    virtual QString ComSpeedText() const = 0;
    // Shows the system buttons of a maximized child window.
    virtual void ShowSystemButtons() = 0;
    // Opens the help at a topic number.
    virtual void ShowHelpTopic(int topic) = 0;
};
