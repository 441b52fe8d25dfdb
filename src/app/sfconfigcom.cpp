// Port settings panel; its two texts are the port settings of the whole program.
#include "app/sfconfigcom.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "database/settingsstore.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

void MouseOnlyComboBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void MouseOnlyComboBox::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

void MouseOnlyComboBox::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

namespace
{
const QString KeyPort = QStringLiteral("SFConfigCom.CBNumCom.Text");
const QString KeySpeed = QStringLiteral("SFConfigCom.CBSpeedCom.Text");
} // namespace

SFConfigCom::SFConfigCom(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SFConfigCom"));
    setWindowTitle(ULang::PortSettingsCaption);
    setAccessibleName(ULang::PortSettingsCaption);
    CBNumCom = new MouseOnlyComboBox(this);
    CBNumCom->setObjectName(QStringLiteral("CBNumCom"));
    CBNumCom->addItems({ULang::PortCom1, ULang::PortCom2, ULang::PortCom3});
    CBNumCom->setAccessibleName(ULang::PortLabel);
    CBSpeedCom = new MouseOnlyComboBox(this);
    CBSpeedCom->setObjectName(QStringLiteral("CBSpeedCom"));
    CBSpeedCom->addItems(
        {ULang::Speed19200, ULang::Speed38400, ULang::Speed57600, ULang::Speed115200});
    CBSpeedCom->setCurrentText(ULang::Speed115200);
    CBSpeedCom->setAccessibleName(ULang::SpeedLabel);

    auto* form = new QFormLayout;
    form->addRow(ULang::PortLabel, CBNumCom);
    form->addRow(ULang::SpeedLabel, CBSpeedCom);
    auto* ok = new QPushButton(ULang::ButtonOk, this);
    ok->setDefault(true);
    ok->setAccessibleName(ULang::ButtonOk);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

void SFConfigCom::Restore(SettingsStore& store)
{
    QString port = store.Value(Section(), KeyPort).toString();
    QString speed = store.Value(Section(), KeySpeed).toString();
    // A value that is not one of the choices (an edited settings file) is not taken over.
    QStringList bad;
    if (!port.isEmpty()) {
        if (CBNumCom->findText(port) >= 0)
            CBNumCom->setCurrentText(port);
        else
            bad << port;
    }
    if (!speed.isEmpty()) {
        if (CBSpeedCom->findText(speed) >= 0)
            CBSpeedCom->setCurrentText(speed);
        else
            bad << speed;
    }
    if (!bad.isEmpty())
        ShowMessage(ULang::BadPortSettings.arg(bad.join(QStringLiteral(", ")),
                                               CBNumCom->currentText(), CBSpeedCom->currentText()),
                    ULang::PortSettingsCaption, MsgIcon::Warning);
}

void SFConfigCom::Save(SettingsStore& store) const
{
    store.SetValue(Section(), KeyPort, CBNumCom->currentText());
    store.SetValue(Section(), KeySpeed, CBSpeedCom->currentText());
    store.Sync();
}
