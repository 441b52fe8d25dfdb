// The program's help window: the HTML help file below the current directory.
#pragma once

#include <QDialog>

class QTextBrowser;

class HelpWindow : public QDialog
{
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // The help file: the current directory, "help" and the file name.
    static QString HelpFilePath();
    // Shows the contents (topic 0) or a topic's anchor; false when the file is missing.
    bool ShowTopic(int topic);
    QTextBrowser* Browser() const { return m_browser; }

  private:
    QTextBrowser* m_browser;
};
