// One offscreen widget application per test process, with settings kept in a private folder.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

inline QApplication& GuiApp()
{
    static int argc = 1;
    static char name[] = "km350-test";
    static char* argv[] = {name, nullptr};
    static QTemporaryDir settingsDir;
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        return new QApplication(argc, argv);
    }();
    return *app;
}
