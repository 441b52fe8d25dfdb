// Exchange panel: status in a white box, port, rate and port state, and "Отмена".
#include "ui/exchange/sfframe.h"

#include "core/ulang.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SFFrame::SFFrame(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      LabelCom(new QLabel), LCom(new QLabel), LSpeedCom(new QLabel), LOpenPort(new QLabel),
      abcPicBtn1(new QPushButton(ULang::ButtonCancel))
{
    setObjectName(QStringLiteral("SFFrame"));
    setWindowTitle(ULang::ExchangeCaption);
    setAccessibleName(ULang::ExchangeCaption);
    setModal(true);
    setFixedSize(316, 141);

    auto* box = new QFrame;
    box->setFrameShape(QFrame::StyledPanel);
    box->setAutoFillBackground(true);
    QPalette white = box->palette();
    white.setColor(QPalette::Window, Qt::white);
    box->setPalette(white);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(4, 2, 4, 2);
    LabelCom->setObjectName(QStringLiteral("LabelCom"));
    LabelCom->setAlignment(Qt::AlignCenter);
    QFont big(QStringLiteral("Arial"));
    big.setPixelSize(19);
    LabelCom->setFont(big);
    LabelCom->setAccessibleName(ULang::ExchangeRunning);
    boxLayout->addWidget(LabelCom);

    auto* info = new QGridLayout;
    info->setContentsMargins(0, 0, 0, 0);
    info->setVerticalSpacing(2);
    const QList<QPair<QString, QLabel*>> rows{{ULang::PanelPort, LCom},
                                              {ULang::PanelSpeed, LSpeedCom},
                                              {ULang::PanelPortState, LOpenPort}};
    int row = 0;
    for (const auto& [caption, value] : rows) {
        auto* label = new QLabel(caption);
        label->setAccessibleName(caption);
        value->setAccessibleName(caption);
        info->addWidget(label, row, 0);
        info->addWidget(value, row, 1);
        ++row;
    }
    LCom->setObjectName(QStringLiteral("LCom"));
    LSpeedCom->setObjectName(QStringLiteral("LSpeedCom"));
    LOpenPort->setObjectName(QStringLiteral("LOpenPort"));
    info->setColumnStretch(1, 1);

    abcPicBtn1->setObjectName(QStringLiteral("abcPicBtn1"));
    abcPicBtn1->setAccessibleName(ULang::ButtonCancel);
    abcPicBtn1->setAutoDefault(false);
    connect(abcPicBtn1, &QPushButton::clicked, this, &SFFrame::CancelRequested);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(info, 1);
    bottom->addWidget(abcPicBtn1, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(box);
    layout->addLayout(bottom);
}

void SFFrame::SetStatus(const QString& text)
{
    LabelCom->setText(text);
    LabelCom->setAccessibleName(text);
}

void SFFrame::SetStatusColour(const QColor& colour)
{
    QPalette p = LabelCom->palette();
    p.setColor(QPalette::WindowText, colour);
    LabelCom->setPalette(p);
}

void SFFrame::reject()
{
    emit CancelRequested();
}
