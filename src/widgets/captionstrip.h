// The caption strip above a grid: italic Arial on a raised panel, with an optional right part.
#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// The strip's font.
QFont CaptionFont();
// A caption label in the strip's font.
QLabel* CaptionLabel(const QString& text);
// The raised strip holding a caption at the left and, when given, another widget at the right.
QWidget* CaptionStrip(QLabel* caption, QWidget* right = nullptr);
