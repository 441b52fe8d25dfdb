// One Qt application object per test process, with settings kept in a private folder.
#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

inline QCoreApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "km350-test";
    static char* argv[] = {name, nullptr};
    static QTemporaryDir settingsDir;
    static QCoreApplication* app = [] {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        return new QCoreApplication(argc, argv);
    }();
    return *app;
}
