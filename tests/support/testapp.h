// The one Qt application object of a test process: a QApplication where the test links Qt Widgets,
// a QCoreApplication otherwise; offscreen, with settings kept in a private folder.
#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#ifdef QT_WIDGETS_LIB
#include <QApplication>
#endif

inline QCoreApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "km350-test";
    static char* argv[] = {name, nullptr};
    static QTemporaryDir settingsDir;
    static QCoreApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Ports and window settings written by a test never reach the user's own file.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        if (QCoreApplication* existing = QCoreApplication::instance())
            return existing;
#ifdef QT_WIDGETS_LIB
        return static_cast<QCoreApplication*>(new QApplication(argc, argv));
#else
        return new QCoreApplication(argc, argv);
#endif
    }();
    return *app;
}
