// Caption strips shared by the archive and exchange windows.
#include "widgets/captionstrip.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

QFont CaptionFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setItalic(true);
    font.setPixelSize(13);
    return font;
}

QLabel* CaptionLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setFont(CaptionFont());
    label->setAccessibleName(text.trimmed());
    return label;
}

QWidget* CaptionStrip(QLabel* caption, QWidget* right)
{
    auto* strip = new QFrame;
    strip->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setFrameShadow(QFrame::Raised);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(2, 1, 4, 1);
    layout->addWidget(caption);
    layout->addStretch(1);
    if (right)
        layout->addWidget(right);
    return strip;
}
