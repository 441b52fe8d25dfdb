// About panel: program name, description, maker and contacts.
#include "app/sfabout.h"

#include "core/ulang.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

QPixmap SFAbout::Picture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A meter face: housing, display window and the disc mark.
    p.setPen(QPen(QColor(40, 60, 90), size / 32.0));
    p.setBrush(QColor(220, 228, 238));
    p.drawRoundedRect(QRectF(size * 0.12, size * 0.06, size * 0.76, size * 0.88), size * 0.08,
                      size * 0.08);
    p.setBrush(QColor(30, 40, 50));
    p.drawRect(QRectF(size * 0.24, size * 0.2, size * 0.52, size * 0.16));
    p.setPen(QColor(120, 240, 140));
    QFont f = p.font();
    f.setPixelSize(static_cast<int>(size * 0.12));
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(size * 0.24, size * 0.2, size * 0.52, size * 0.16), Qt::AlignCenter,
               QStringLiteral("350"));
    p.setPen(QPen(QColor(40, 60, 90), size / 40.0));
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QRectF(size * 0.3, size * 0.48, size * 0.4, size * 0.34));
    p.setBrush(QColor(200, 40, 40));
    p.drawPie(QRectF(size * 0.3, size * 0.48, size * 0.4, size * 0.34), 60 * 16, 30 * 16);
    return pm;
}

SFAbout::SFAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SFAbout"));
    setWindowTitle(ULang::AboutCaption);
    setAccessibleName(ULang::AboutCaption);

    auto* picture = new QLabel(this);
    picture->setPixmap(Picture(96));
    picture->setAccessibleName(ULang::AppCaption);
    picture->setAlignment(Qt::AlignTop);

    auto* title = new QLabel(ULang::AboutTitle, this);
    QFont tf = title->font();
    tf.setBold(true);
    tf.setItalic(true);
    tf.setPointSizeF(tf.pointSizeF() * 1.2);
    title->setFont(tf);
    auto* description = new QLabel(ULang::AboutLine1 + QLatin1Char('\n') + ULang::AboutLine2 +
                                       QLatin1Char('\n') + ULang::AboutLine3,
                                   this);
    auto* developer = new QLabel(ULang::AboutDeveloper, this);
    auto* contacts = new QLabel(ULang::AboutContacts, this);
    contacts->setFrameShape(QFrame::Box);
    contacts->setMargin(6);
    contacts->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(ULang::ButtonOk, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(description);
    text->addSpacing(8);
    text->addWidget(developer);
    text->addWidget(contacts);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    setFixedSize(sizeHint());
}
