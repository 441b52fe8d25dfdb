// The About panel.
#pragma once

#include <QDialog>

class SFAbout : public QDialog
{
    Q_OBJECT
  public:
    explicit SFAbout(QWidget* parent = nullptr);
    // The picture at the left, drawn rather than shipped as a file.
    static QPixmap Picture(int size);
};
