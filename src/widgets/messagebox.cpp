// Message boxes with Russian button texts.
#include "widgets/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

MsgAnswer ShowMessageBox(const QString& text, const QString& caption, MsgIcon icon,
                         MsgButtons buttons, bool topmost)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        break;
    }
    if (topmost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons) {
    case MsgButtons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case MsgButtons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        break;
    case MsgButtons::YesNo:
        yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        break;
    case MsgButtons::YesNoCancel:
        yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        break;
    }
    box.setAccessibleName(caption);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == yes)
        return MsgAnswer::Yes;
    if (clicked && clicked == no)
        return MsgAnswer::No;
    if (clicked && clicked == ok)
        return MsgAnswer::Ok;
    if (clicked && clicked == cancel)
        return MsgAnswer::Cancel;
    // Closed with Esc or the title bar: the answer that changes nothing.
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}

void InstallMessageBoxHandler()
{
    SetMessageHandler(
        [](const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons) {
            return ShowMessageBox(text, caption, icon, buttons);
        });
}

void InstallStderrMessageHandler()
{
    SetMessageHandler([](const QString& text, const QString& caption, MsgIcon, MsgButtons buttons) {
        std::fprintf(stderr, "[%s] %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
        std::fflush(stderr);
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                  : MsgAnswer::Ok;
    });
}
