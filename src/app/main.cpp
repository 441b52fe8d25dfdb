// Start-up of the program: one copy only, the data module, the windows in their order, the loop.
#include "app/sfabout.h"
#include "app/singleinstance.h"
#include "app/tfexpert.h"
#include "core/ulang.h"
#include "database/schema.h"
#include "database/tdm.h"
#include "exchange/qtexchangetimer.h"
#include "exchange/tmycomm.h"
#include "ui/archive/tftip.h"
#include "ui/exchange/tfsinchro.h"
#include "ui/externaldata/tfsql.h"
#include "ui/metertypes/tftable.h"
#include "ui/selection/tfsqlshape.h"
#include "ui/selection/tfsqlshapesinchro.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QLocale>
#include <QMdiArea>

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int)
{
    char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

// SIGTERM and SIGINT (the end of a desktop session, Ctrl+C) end the program the normal way, so
// window settings are saved and the archive is closed cleanly.
void QuitOnTerminationSignals(QApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte = 0;
        [[maybe_unused]] ssize_t got = ::read(g_signalPipe[1], &byte, 1);
        app.closeAllWindows();
        app.quit();
    });
    struct sigaction action {
    };
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int CreateArchive(int argc, char* argv[], const char* path)
{
    QCoreApplication app(argc, argv);
    QString error;
    if (!ArchiveSchema::CreateArchiveFile(QString::fromLocal8Bit(path), &error)) {
        std::fprintf(stderr, "km350: %s\n", error.toUtf8().constData());
        return 1;
    }
    std::printf("%s\n", path);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--new-archive") == 0)
        return CreateArchive(argc, argv, argv[2]);

    // Numbers are always read and written with "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ULang::AppTitle);
    QApplication::setApplicationName(QStringLiteral("km350"));
    QApplication::setWindowIcon(QIcon(SFAbout::Picture(64)));
    if (qEnvironmentVariable("KM350_MESSAGES") == QStringLiteral("stderr"))
        InstallStderrMessageHandler();
    else
        InstallMessageBoxHandler();

    QuitOnTerminationSignals(app);

    SingleInstance guard(ULang::AppCaption);
    if (guard.Acquire() == SingleInstance::Result::AnotherRuns) {
        if (qEnvironmentVariable("KM350_MESSAGES") == QStringLiteral("stderr"))
            ShowMessage(ULang::SecondCopy, ULang::AppCaption, MsgIcon::Error);
        else
            ShowMessageBox(ULang::SecondCopy, ULang::AppCaption, MsgIcon::Error, MsgButtons::Ok,
                           true);
        return 0;
    }

    // Creation order: data module, main window, then the child windows.
    auto dm = std::make_unique<TDM>();
    if (!dm->Open()) {
        ShowMessage(dm->FailureText(), ULang::CaptionError, MsgIcon::Error);
        return 1;
    }
    // The serial line to the device and the exchange window's two timers: device silence and the
    // blinking status text. They outlive the windows.
    TMyComm comm1;
    QtExchangeTimer timerRequest(1000);
    QtExchangeTimer timerColor(500);
    auto expert = std::make_unique<TFExpert>(*dm);
    // The selection dialogs live hidden until used; each builds its tree now.
    auto* shape = new TFSQLShape(*dm, expert.get());
    auto* shapeSinchro = new TFSQLShapeSinchro(*dm, expert.get());
    const QList<SelectionDialog*> selectionTrees{shape, shapeSinchro};
    auto* tip = new TFTip(*dm);
    expert->AddChild(tip);
    tip->RestoreSettings(dm->REGEH());
    tip->AddPopupCommands({expert->ASelectAll, expert->ASaveAS, expert->APrintView});

    TFSinchro* sinchro = nullptr;
    TFSQL* sql = nullptr;
    TFTable* table = nullptr;
    auto createSinchro = [&] {
        sinchro = new TFSinchro(*dm, comm1, timerRequest, timerColor);
        sinchro->SetGridCommands(expert->ASaveAS, expert->ASelectAll);
        sinchro->SetArchiveGrids(tip->DBGridTTip, tip->DBGridTIdent);
        expert->AddChild(sinchro);
        sinchro->RestoreSettings(dm->REGEH());
        sinchro->SetBufferSelection([=] { SelectionDialog::Open(*shapeSinchro, selectionTrees); });
        shapeSinchro->UpdateMeterCount = [sinchro] { sinchro->UpdateMeterCount(); };
    };
    auto createSql = [&] {
        sql = new TFSQL(*dm);
        expert->AddChild(sql);
        sql->OpenQueryBuilder = [=] { SelectionDialog::Open(*shape, selectionTrees); };
        // The external-data window's export update joins here once that window offers it.
        shape->SetResultGrid(sql->DBGridSQL, {});
    };
    auto createTable = [&] {
        table = new TFTable(*dm, sinchro->AOUTTable, sinchro->AINTable);
        table->AddPopupCommands({expert->ASelectAll, expert->ASaveAS});
        expert->AddChild(table);
        table->RestoreSettings(dm->REGEH());
    };
    // The first window that was maximized, in the order archive, exchange, external data, comes
    // back to the front maximized once the windows created after it exist.
    MdiChild* bringBack = nullptr;
    createSinchro();
    if (tip->RestoredMaximized())
        bringBack = tip;
    else if (sinchro->RestoredMaximized())
        bringBack = sinchro;
    createSql();
    if (!bringBack && sql->RestoredMaximized())
        bringBack = sql;
    createTable();
    expert->showMaximized();
    // First start: the windows share the frame instead of piling up.
    bool anySaved = false;
    for (MdiChild* child : expert->Children())
        anySaved = anySaved || child->HadSavedPlacement();
    if (!anySaved)
        expert->MdiArea()->tileSubWindows();
    if (bringBack) {
        bringBack->showMaximized();
        expert->MdiArea()->setActiveSubWindow(bringBack);
    }

    int code = app.exec();
    expert->SaveSettings();
    // Destroyed in reverse order of creation, the data module last.
    expert.reset();
    dm.reset();
    return code;
}
