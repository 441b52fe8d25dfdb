// The exchange window driven through its commands, against km350-sim on a pseudo-terminal.
#include "exchange/framecodec.h"
#include "exchange/qtexchangetimer.h"
#include "exchange/tmycomm.h"
#include "support/archivefixture.h"
#include "support/fakemainwindowlink.h"
#include "support/faketimer.h"
#include "support/simport.h"
#include "support/simprocess.h"
#include "ui/exchange/sfframe.h"
#include "ui/exchange/tfsinchro.h"
#include "ui/metertypes/tftable.h"
#include "widgets/dbgrid.h"
#include "widgets/overlimitcell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace
{

// What the exchange panel showed while a command ran.
struct PanelLog {
    bool shown = false;
    QStringList statuses;
};

QJsonObject Result(const char* pf, const char* suffix, const char* error)
{
    return {{"voltage", "230.0"}, {"current", "5"}, {"power", "920"},
            {"pf", pf},           {"error", error}, {"suffix", suffix}};
}

class WindowTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        NewWindow();
    }
    // A window on a port closed again, as at start-up.
    void NewWindow()
    {
        window.reset();
        comm.Close();
        window = std::make_unique<TFSinchro>(*dm, comm, timerRequest, timerColor);
        window->SetMainWindowLink(&link);
    }
    void TearDown() override
    {
        window.reset();
        ArchiveFixture::TearDown();
    }

    void Exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    void AddMeters(int count)
    {
        Exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < count; ++i)
            Exec(QStringLiteral("INSERT INTO TSTip (PTipCH, PReductRate, PNumber, PAddress) VALUES "
                                "('СО-И446', 1600, '%1', 'кв. %2')")
                     .arg(100000 + i)
                     .arg(i));
        Exec(QStringLiteral("COMMIT"));
        dm->ADOSinchro->Requery();
        window->UpdateMeterCount();
    }
    void AddTypes(int count)
    {
        for (int i = 0; i < count; ++i)
            Exec(QStringLiteral("INSERT INTO TTableTip (PTip, PReductRate) VALUES ('Тип%1', %2)")
                     .arg(i)
                     .arg(800 + i));
        dm->ADOTableTip->Requery();
    }
    int Count(const QString& table)
    {
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
        q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        q.next();
        return q.value(0).toInt();
    }
    // The simulator saves a load right after it has acknowledged the end mark.
    static QJsonObject WaitForDump(const QString& path)
    {
        QDeadlineTimer deadline(20000);
        while (!QFile::exists(path) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    QString DeviceFile(const QJsonObject& root)
    {
        const QString path = dir.filePath(QStringLiteral("device.json"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QJsonDocument(root).toJson());
        return path;
    }

    // Runs a command as the user would; a failure shown in the panel is answered with "Отмена",
    // as is a panel still open after the time-out.
    PanelLog Run(void (TFSinchro::*command)(), int timeoutMs = 60000)
    {
        PanelLog log;
        QElapsedTimer clock;
        clock.start();
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            SFFrame* panel = window->SFFramePanel;
            if (!panel->isVisible())
                return;
            log.shown = true;
            const QString status = panel->LabelCom->text();
            if (log.statuses.isEmpty() || log.statuses.last() != status)
                log.statuses << status;
            if (status == ULang::NoDeviceLink || status == ULang::TransferError ||
                clock.elapsed() > timeoutMs)
                panel->abcPicBtn1->click();
        });
        watch.start();
        (window.get()->*command)();
        return log;
    }

    FakeMainWindowLink link;
    TMyComm comm;
    QtExchangeTimer timerRequest{1000};
    QtExchangeTimer timerColor{500};
    std::unique_ptr<TFSinchro> window;
};

TEST_F(WindowTest, TooManyRowsGiveTheMessageAndNoExchange)
{
    struct Case {
        int meters, types;
        void (TFSinchro::*command)();
        QString suffix;
    };
    for (const Case& c : {Case{101, 0, &TFSinchro::AINExecute, ULang::MaxMetersSuffix},
                          Case{0, 21, &TFSinchro::AINTableExecute, ULang::MaxTypesSuffix}}) {
        AddMeters(c.meters);
        AddTypes(c.types);
        messages.clear();
        const PanelLog log = Run(c.command);
        EXPECT_FALSE(log.shown);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, ULang::TooManyRecords + c.suffix);
        EXPECT_EQ(messages[0].caption, ULang::CaptionAttention);
        EXPECT_EQ(messages[0].icon, MsgIcon::Information);
        EXPECT_TRUE(window->Trace().isEmpty());
        EXPECT_TRUE(window->SFFramePanel->LOpenPort->text().isEmpty()) << "the port is not touched";
        Exec(QStringLiteral("DELETE FROM TSTip"));
        Exec(QStringLiteral("DELETE FROM TTableTip"));
        dm->ADOSinchro->Requery();
        dm->ADOTableTip->Requery();
    }
}

TEST_F(WindowTest, HundredMetersAndTwentyTypesLoadIntoTheDevice)
{
    const QString dump = dir.filePath(QStringLiteral("loaded.json"));
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--demo", "--dump", dump}));
    link.speed = QStringLiteral("115200");
    AddMeters(100);
    AddTypes(20);

    PanelLog log = Run(&TFSinchro::AINExecute);
    EXPECT_TRUE(log.shown);
    EXPECT_EQ(log.statuses.value(0), ULang::ExchangeRunning);
    EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    EXPECT_EQ(window->SFFramePanel->LOpenPort->text(), ULang::PortOpen);
    EXPECT_EQ(window->SFFramePanel->LSpeedCom->text(), QStringLiteral("115200"));
    EXPECT_EQ(dm->ADOSinchro->RecNo(), 0) << "the cursor is back on the first meter";
    const QJsonArray meters = WaitForDump(dump)[QStringLiteral("meters")].toArray();
    ASSERT_EQ(meters.size(), 100);
    EXPECT_EQ(meters[99].toObject()[QStringLiteral("address")].toString(),
              QStringLiteral("кв. 99"));
    EXPECT_EQ(meters[99].toObject()[QStringLiteral("number")].toString(), QStringLiteral("100099"));
    // The trace holds every frame of the exchange, from the opening query to the last answer.
    EXPECT_EQ(window->Trace().value(0), QStringLiteral("@+47+63+13+10"));
    EXPECT_EQ(window->Trace().size(), 2 * (5 + 100));
    EXPECT_EQ(window->Trace().last(), QStringLiteral("/+47+6+13+10"));

    QFile::remove(dump);
    log = Run(&TFSinchro::AINTableExecute);
    EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    const QJsonArray types = WaitForDump(dump)[QStringLiteral("types")].toArray();
    ASSERT_EQ(types.size(), 20);
    EXPECT_EQ(types[0].toObject()[QStringLiteral("type")].toString(), QStringLiteral("Тип0"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, EmptyBufferOpensThePortAndSendsNothing)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--demo"}));
    const PanelLog log = Run(&TFSinchro::AINExecute);
    EXPECT_FALSE(log.shown);
    EXPECT_TRUE(window->Trace().isEmpty());
    EXPECT_EQ(window->SFFramePanel->LOpenPort->text(), ULang::PortOpen);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, ReadFillsTheBufferAndEmptiesItFirst)
{
    QJsonObject verification{
        {"date", "15/06/07"},
        {"reading", "12.5"},
        {"results", QJsonArray{Result("1.00", "L", "0.5"), Result("0.8", "C", "1500"),
                               Result("0.8", "", "-2000")}},
        {"creep", QJsonObject{{"voltage", "264"}, {"state", "2"}}}};
    QJsonObject noCreep{{"date", "01/02/99"}, {"reading", "7"}, {"results", QJsonArray{}}};
    QJsonArray meters{QJsonObject{{"address", "ул. Мира 5"},
                                  {"type", "СО-И446"},
                                  {"constant", "1600"},
                                  {"number", "100234"},
                                  {"verifications", QJsonArray{verification}}},
                      QJsonObject{{"address", "12"},
                                  {"type", "ЦЭ6803В"},
                                  {"constant", "6400"},
                                  {"number", "2045"},
                                  {"verifications", QJsonArray{noCreep}}}};
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--data", DeviceFile({{"meters", meters}})}));
    AddMeters(3);

    Run(&TFSinchro::AOUTExecute);
    EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->LabelNameCountSh->text(), QStringLiteral("Количество - 2 "));
    EXPECT_EQ(Count("TSTip"), 2);
    EXPECT_EQ(Count("TSData"), 2);
    EXPECT_EQ(Count("TSResult"), 3);

    DataSet& tip = *dm->ADOSinchro;
    DataSet& data = *dm->ADOSinchroData;
    DataSet& result = *dm->ADOSinchroResult;
    tip.First();
    EXPECT_EQ(tip.FieldByName("PAddress").AsString(), QStringLiteral("ул. Мира 5"));
    EXPECT_EQ(tip.FieldByName("PReductRate").AsFloat(), 1600);
    EXPECT_EQ(data.FieldByName("PDateMeasure").AsDateTime().date(), QDate(2007, 6, 15));
    EXPECT_EQ(data.FieldByName("POrmix").AsFloat(), 12.5);
    EXPECT_EQ(data.FieldByName("PSamohod").AsInteger(), 2);
    EXPECT_EQ(data.FieldByName("PUSamohod").AsFloat(), 264);
    QStringList factors;
    for (result.First(); !result.Eof(); result.Next())
        factors << result.FieldByName("PFPMeasure").AsString();
    EXPECT_EQ(factors, QStringList({"1.00", "0.8/C", "0.8"}));
    tip.Next();
    EXPECT_EQ(tip.FieldByName("PTipCH").AsString(), QStringLiteral("ЦЭ6803В"));
    EXPECT_EQ(data.FieldByName("PDateMeasure").AsDateTime().date(), QDate(1999, 2, 1));
    EXPECT_EQ(data.FieldByName("PSamohod").AsInteger(), 99);
}

TEST_F(WindowTest, TypeReadFillsTheDeviceTypeTable)
{
    QJsonArray types{QJsonObject{{"type", "СО-И446"}, {"constant", "1600"}},
                     QJsonObject{{"type", "ЦЭ6803В"}, {"constant", "6400"}}};
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--data", DeviceFile({{"types", types}})}));
    AddTypes(5);
    AddMeters(1);
    Run(&TFSinchro::AOUTTableExecute);
    EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    EXPECT_EQ(Count("TTableTip"), 2);
    EXPECT_EQ(Count("TSTip"), 1) << "a type read leaves the buffer alone";
    dm->ADOTableTip->Last();
    EXPECT_EQ(dm->ADOTableTip->FieldByName("PTip").AsString(), QStringLiteral("ЦЭ6803В"));
    EXPECT_EQ(dm->ADOTableTip->FieldByName("PReductRate").AsFloat(), 6400);
}

TEST_F(WindowTest, MeterTypesWindowLoadsTheArchiveTypesAndReadsThemBackUnchanged)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--demo"}));
    for (const char* t : {"СО-И446", "ЦЭ6803В", "CE101"})
        ASSERT_TRUE(dm->AddTip(QString::fromUtf8(t), "220", "5", "1600", "1"));
    TFTable table(*dm, window->AOUTTable, window->AINTable);
    answer = MsgAnswer::Yes;
    table.ASQLFromTable->trigger();
    ASSERT_EQ(Count("TTableTip"), 3);

    // The window's own toolbar carries the exchange window's two commands.
    QList<QAction*> onToolbar;
    for (QToolBar* bar : table.findChildren<QToolBar*>())
        onToolbar << bar->actions();
    EXPECT_TRUE(onToolbar.contains(window->AINTable));
    EXPECT_TRUE(onToolbar.contains(window->AOUTTable));
    Run(&TFSinchro::AINTableExecute);
    EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    table.AClearExecute();
    ASSERT_EQ(Count("TTableTip"), 0);
    Run(&TFSinchro::AOUTTableExecute);
    EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    QStringList back;
    for (dm->ADOTableTip->First(); !dm->ADOTableTip->Eof(); dm->ADOTableTip->Next())
        back << dm->ADOTableTip->FieldByName("PTip").AsString() + "=" +
                    dm->ADOTableTip->FieldByName("PReductRate").AsString();
    EXPECT_EQ(back, (QStringList{"СО-И446=1600", "ЦЭ6803В=1600", "CE101=1600"}));
}

TEST_F(WindowTest, DemoReadThenResultsIntoTheArchive)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--demo", "--results", "4"}));
    AddMeters(3);
    Run(&TFSinchro::AINExecute);
    ASSERT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    Run(&TFSinchro::AOUTExecute);
    ASSERT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    ASSERT_EQ(Count("TSTip"), 3);
    const int verifications = Count("TSData");
    const int results = Count("TSResult");
    ASSERT_GT(results, 0);

    window->AINArchiv->trigger();
    EXPECT_EQ(Count("TTip"), 1);
    EXPECT_EQ(Count("TIdent"), 3);
    EXPECT_EQ(Count("TData"), verifications);
    EXPECT_EQ(Count("TResult"), results);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, ArchiveTypesAndMetersDroppedIntoTheBuffer)
{
    ASSERT_TRUE(dm->AddTip("СО-И446", "220", "5", "1600", "1"));
    for (const char* n : {"1", "2", "3"})
        ASSERT_TRUE(dm->AddIdent(n, "ул. Мира", "Завод", "2005"));
    DBGrid tipGrid;
    tipGrid.setObjectName("DBGridTTip");
    tipGrid.SetDataSet(dm->ADOTip);
    DBGrid identGrid;
    identGrid.setObjectName("DBGridTIdent");
    identGrid.SetDataSet(dm->ADOIdent);
    DBGrid other;
    other.setObjectName("DBGridSQL");

    DragHasRows = true;
    EXPECT_TRUE(window->DBGridTTipSinchDragOver(&tipGrid));
    EXPECT_TRUE(window->DBGridTTipSinchDragOver(&identGrid));
    EXPECT_FALSE(window->DBGridTTipSinchDragOver(&other));
    DragHasRows = false;
    EXPECT_FALSE(window->DBGridTTipSinchDragOver(&tipGrid));

    // One marked meter, then the whole type; meters already in the buffer are not repeated.
    DragHasRows = true;
    identGrid.selectionModel()->select(identGrid.Model()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->DBGridTTipSinchDragDrop(&identGrid);
    EXPECT_EQ(Count("TSTip"), 1);
    EXPECT_EQ(window->LabelNameCountSh->text(), QStringLiteral("Количество - 1 "));
    tipGrid.SelectAllRows();
    window->DBGridTTipSinchDragDrop(&tipGrid);
    EXPECT_EQ(Count("TSTip"), 3);
    EXPECT_EQ(window->LabelNameCountSh->text(), QStringLiteral("Количество - 3 "));
}

TEST_F(WindowTest, FaultsEndInTheirStatusTexts)
{
    struct Case {
        const char* name;
        QStringList args;
        QString status;
    };
    QJsonObject verification{
        {"date", "15/06/07"}, {"reading", "1"}, {"results", QJsonArray{Result("1", "", "0")}}};
    const QJsonObject device{
        {"meters", QJsonArray{QJsonObject{{"address", "1"},
                                          {"type", "T"},
                                          {"constant", "1600"},
                                          {"number", "1"},
                                          {"verifications", QJsonArray{verification}}}}}};
    for (const Case& c :
         {Case{"silence", {"--silent-after", "3"}, ULang::NoDeviceLink},
          Case{"bad checksum thrice", {"--corrupt", "1:3"}, ULang::TransferError}}) {
        // A new window for each device: the port stays open on the terminal it was opened on.
        NewWindow();
        SimProcess sim;
        ASSERT_TRUE(sim.Start(QStringList{"--data", DeviceFile(device)} + c.args)) << c.name;
        const PanelLog log = Run(&TFSinchro::AOUTExecute);
        EXPECT_TRUE(log.statuses.contains(c.status))
            << c.name << ": " << log.statuses.join('|').toStdString();
        EXPECT_FALSE(window->SFFramePanel->isVisible()) << c.name;
        EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished) << c.name;
        EXPECT_EQ(Count("TSTip"), 0) << c.name;
    }
}

TEST_F(WindowTest, IncompleteIdentificationIsReportedOnceAndItsDataDropped)
{
    auto meter = [](const char* address, const char* number, const char* reading) {
        QJsonObject v{{"date", "15/06/07"},
                      {"reading", reading},
                      {"results", QJsonArray{Result("1", "", "0.1")}}};
        return QJsonObject{{"address", address},
                           {"type", "СО-И446"},
                           {"constant", "1600"},
                           {"number", number},
                           {"verifications", QJsonArray{v}}};
    };
    SimProcess sim;
    ASSERT_TRUE(sim.Start(
        {"--data",
         DeviceFile({{"meters", QJsonArray{meter("1", "10", "1"), meter("", "20", "2"),
                                           meter("3", "", "3"), meter("4", "40", "4")}}})}));
    Run(&TFSinchro::AOUTExecute);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::IncompleteIdent);
    EXPECT_EQ(messages[0].caption, ULang::CaptionWriteError);
    EXPECT_EQ(messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(Count("TSTip"), 2);
    EXPECT_EQ(Count("TSData"), 2);
    EXPECT_EQ(Count("TSResult"), 2);
    QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
    q.exec(QStringLiteral("SELECT POrmix FROM TSData ORDER BY PIndex"));
    QList<double> readings;
    while (q.next())
        readings << q.value(0).toDouble();
    EXPECT_EQ(readings, QList<double>({1, 4}));

    // The flag is cleared when the panel closes: the next read says nothing.
    messages.clear();
    Run(&TFSinchro::AOUTTableExecute);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, ARecordThatCannotBeStoredIsRefusedAndExplained)
{
    QJsonObject v{{"date", "15/06/07"}, {"reading", "12,5"}, {"results", QJsonArray{}}};
    SimProcess sim;
    ASSERT_TRUE(sim.Start(
        {"--data",
         DeviceFile({{"meters", QJsonArray{QJsonObject{{"address", "1"},
                                                       {"type", "T"},
                                                       {"constant", "1"},
                                                       {"number", "1"},
                                                       {"verifications", QJsonArray{v}}}}}})}));
    const PanelLog log = Run(&TFSinchro::AOUTExecute);
    EXPECT_TRUE(log.statuses.contains(ULang::TransferError));
    EXPECT_EQ(Count("TSTip"), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              ULang::RecordsRefused + QStringLiteral("«12,5» не является числом."));
}

TEST_F(WindowTest, ClearAsksAndCounts)
{
    AddMeters(4);
    EXPECT_EQ(window->LabelNameCountSh->text(), QStringLiteral("Количество - 4 "));
    answer = MsgAnswer::No;
    window->AClearExecute();
    EXPECT_EQ(Count("TSTip"), 4);
    answer = MsgAnswer::Yes;
    window->AClearExecute();
    EXPECT_EQ(Count("TSTip"), 0);
    EXPECT_EQ(window->LabelNameCountSh->text(), QStringLiteral("Количество - 0 "));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, ULang::AskClearTable);
    EXPECT_EQ(messages[1].caption, ULang::CaptionDelete);
    EXPECT_EQ(messages[1].icon, MsgIcon::Question);
}

TEST_F(WindowTest, DeleteActsOnTheSelectionOfTheFocusedGrid)
{
    struct Case {
        const char* name;
        std::function<void(DBGrid*)> select;
        MsgAnswer answer;
        QStringList left; // serial numbers left
    };
    const Case cases[] = {
        {"current row",
         [](DBGrid* g) { g->GetDataSet()->MoveTo(1); },
         MsgAnswer::Yes,
         {"100000", "100002"}},
        {"marked rows",
         [](DBGrid* g) {
             g->selectionModel()->select(g->model()->index(0, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
             g->selectionModel()->select(g->model()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
         },
         MsgAnswer::Yes,
         {"100001"}},
        {"all rows", [](DBGrid* g) { g->SelectAllRows(); }, MsgAnswer::Yes, {}},
        {"answered no",
         [](DBGrid* g) { g->SelectAllRows(); },
         MsgAnswer::No,
         {"100000", "100001", "100002"}},
    };
    for (const Case& c : cases) {
        Exec(QStringLiteral("DELETE FROM TSTip"));
        AddMeters(3);
        window->DBGridTTipSinch->setFocus();
        window->DBGridTTipSinch->ClearRowSelection();
        c.select(window->DBGridTTipSinch);
        answer = c.answer;
        window->DataSetDelete1->trigger();
        QSqlQuery q(QSqlDatabase::database(dm->ConnectionName()));
        q.exec(QStringLiteral("SELECT PNumber FROM TSTip ORDER BY PIndex"));
        QStringList left;
        while (q.next())
            left << q.value(0).toString();
        EXPECT_EQ(left, c.left) << c.name;
        EXPECT_EQ(window->LabelNameCountSh->text(),
                  QStringLiteral("Количество - %1 ").arg(c.left.size()))
            << c.name;
        if (c.answer == MsgAnswer::Yes) {
            EXPECT_EQ(window->DBGridTTipSinch->Selection(), DBGrid::SelectionKind::None) << c.name;
        }
    }
}

TEST_F(WindowTest, ErrorsBeyondAThousandPerCentAreDrawnAsOverLimit)
{
    AddMeters(1);
    dm->ADOSinchroData->Append();
    dm->ADOSinchroData->FieldByName("PSamohod").SetValue(99);
    ASSERT_TRUE(dm->ADOSinchroData->Post());
    for (double error : {1500.0, -2000.0, 1000.0, -1000.0, 0.5}) {
        dm->ADOSinchroResult->Append();
        dm->ADOSinchroResult->FieldByName("PMistakeMeasure").SetValue(error);
        ASSERT_TRUE(dm->ADOSinchroResult->Post());
    }
    DBGrid* grid = window->DBGridTResultSinch;
    QImage image(100, 30, QImage::Format_RGB32);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 100, 30);
    const int column = 4;
    ASSERT_EQ(grid->Model()->Columns().at(column).field, QStringLiteral("PMistakeMeasure"));
    const QList<bool> drawn{true, true, false, false, false};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(grid->DrawCellHook(&painter, option, grid->model()->index(row, column)),
                  drawn[row])
            << row;
        EXPECT_FALSE(grid->DrawCellHook(&painter, option, grid->model()->index(row, 0))) << row;
    }
    EXPECT_EQ(grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("δ, %"));

    // Drawn to the pixel as the archive window draws it.
    option.font = grid->font();
    option.palette = grid->palette();
    QImage shared(option.rect.size(), QImage::Format_RGB32);
    QPainter sharedPainter(&shared);
    OverLimitCell::Paint(&sharedPainter, option);
    image.fill(Qt::black);
    ASSERT_TRUE(grid->DrawCellHook(&painter, option, grid->model()->index(0, column)));
    EXPECT_EQ(image, shared);
}

TEST_F(WindowTest, SplitterPositionsAreKept)
{
    window->resize(700, 500);
    window->show();
    QApplication::processEvents();
    auto* split = window->findChild<QSplitter*>(QStringLiteral("abcSplitBar1"));
    ASSERT_TRUE(split);
    split->setSizes({200, 250});
    const QList<int> sizes = split->sizes();
    window->SaveSettings(dm->REGEH());
    NewWindow();
    window->resize(700, 500);
    window->show();
    window->RestoreSettings(dm->REGEH());
    QApplication::processEvents();
    EXPECT_EQ(window->findChild<QSplitter*>(QStringLiteral("abcSplitBar1"))->sizes(), sizes);
}

// The window on the device simulator in-process and a clock the test drives.
class InProcessWindowTest : public ArchiveFixture
{
  protected:
    void SetUp() override
    {
        ArchiveFixture::SetUp();
        window = std::make_unique<TFSinchro>(*dm, port, timerRequest, timerColor);
        window->SetMainWindowLink(&link);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        ArchiveFixture::TearDown();
    }
    void AddMeter(const QString& tip, const QString& constant, const QString& number,
                  const QString& address)
    {
        DataSet& b = *dm->ADOSinchro;
        ASSERT_TRUE(b.Append());
        b.FieldByName(QStringLiteral("PTipCH")).SetAsString(tip);
        b.FieldByName(QStringLiteral("PReductRate")).SetAsString(constant);
        b.FieldByName(QStringLiteral("PNumber")).SetAsString(number);
        b.FieldByName(QStringLiteral("PAddress")).SetAsString(address);
        ASSERT_TRUE(b.Post());
    }
    QToolButton* ButtonOf(QAction* action)
    {
        for (QToolBar* bar : window->findChildren<QToolBar*>()) {
            if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
                return b;
        }
        return nullptr;
    }
    // Clicks a command's toolbar button; while the exchange panel is up, a failure it shows is
    // cancelled, and with silence set every look at it lets one more second pass. A panel still
    // up after two seconds is cancelled too.
    QStringList Click(QAction* action)
    {
        QStringList statuses;
        QElapsedTimer clock;
        clock.start();
        QTimer watch;
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            SFFrame* panel = window->SFFramePanel;
            if (!panel->isVisible())
                return;
            const QString status = panel->LabelCom->text();
            if (statuses.isEmpty() || statuses.last() != status)
                statuses << status;
            if (status == ULang::NoDeviceLink || status == ULang::TransferError ||
                clock.elapsed() > 2000)
                QTest::mouseClick(panel->abcPicBtn1, Qt::LeftButton);
            else if (silence)
                timerRequest.Elapse();
        });
        watch.start();
        QToolButton* button = ButtonOf(action);
        EXPECT_TRUE(button);
        if (button)
            QTest::mouseClick(button, Qt::LeftButton);
        return statuses;
    }

    FakeMainWindowLink link;
    SimPort port;
    FakeTimer timerRequest;
    FakeTimer timerColor;
    bool silence = false;
    std::unique_ptr<TFSinchro> window;
};

TEST_F(InProcessWindowTest, ALoadRunsOnThePortTheWindowIsGivenAndIsTraced)
{
    AddMeter(QStringLiteral("СО-И446"), QStringLiteral("1600"), QStringLiteral("1"),
             QStringLiteral("кв. 1"));
    AddMeter(QStringLiteral("ЦЭ6803В"), QStringLiteral("6400"), QStringLiteral("2"),
             QStringLiteral("кв. 2"));
    Click(window->AIN);
    EXPECT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    EXPECT_EQ(window->SFFramePanel->LOpenPort->text(), ULang::PortOpen);
    ASSERT_EQ(port.device.loadedMeters.size(), 2);
    EXPECT_EQ(port.device.loadedMeters[1].type, QStringLiteral("ЦЭ6803В"));
    // Query, rate, query, announce, two meters, end mark: each frame and its answer.
    ASSERT_EQ(window->Trace().size(), 2 * 7);
    EXPECT_EQ(window->Trace().first(), QStringLiteral("@+47+63+13+10"));
    EXPECT_EQ(window->Trace().last(), QStringLiteral("/+47+6+13+10"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(InProcessWindowTest, APortThatCannotBeOpenedShowsClosedAndThenNoLink)
{
    port.present = false;
    silence = true;
    AddMeter(QStringLiteral("T"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    const QStringList statuses = Click(window->AIN);
    EXPECT_EQ(statuses, (QStringList{ULang::ExchangeRunning, ULang::NoDeviceLink}));
    EXPECT_EQ(window->SFFramePanel->LOpenPort->text(), ULang::PortClosed);
    EXPECT_TRUE(port.written.isEmpty());
    // The frames that went nowhere are still in the trace.
    EXPECT_EQ(window->Trace(), QStringList{"@+47+63+13+10"});
}

TEST_F(InProcessWindowTest, APortFailingOnAFrameEndsTheExchangeAsATransferFailure)
{
    AddMeter(QStringLiteral("T"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    // The opening query, sent by the command itself, and the announce, sent on an answer.
    for (int failing : {0, 3}) {
        SCOPED_TRACE(failing);
        int writes = 0;
        port.beforeWrite = [&writes, failing](const QByteArray&) {
            if (writes++ == failing)
                throw std::runtime_error("the line is gone");
        };
        const QStringList statuses = Click(window->AIN);
        EXPECT_TRUE(statuses.contains(ULang::TransferError)) << statuses.join('|').toStdString();
        EXPECT_FALSE(statuses.contains(ULang::NoDeviceLink));
        EXPECT_FALSE(window->SFFramePanel->isVisible());
        EXPECT_EQ(port.written.size(), failing);
    }
}

TEST_F(InProcessWindowTest, AnEmptyMeterConstantGoesOutAsBlanks)
{
    AddMeter(QStringLiteral("СО-И446"), QString(), QStringLiteral("1"), QStringLiteral("кв. 1"));
    AddMeter(QStringLiteral("СО-И446"), QStringLiteral("0"), QStringLiteral("2"),
             QStringLiteral("кв. 2"));
    Click(window->AIN);
    ASSERT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    QList<QByteArray> records;
    for (const QByteArray& frame : port.written) {
        if (frame.size() == FrameCodec::MeterRecordSize)
            records << frame;
    }
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].mid(33, 8), QByteArray("P(     )"));
    EXPECT_EQ(records[1].mid(33, 8), QByteArray("P(0    )"));
    EXPECT_EQ(port.device.loadedMeters[0].constant, QString());
}

TEST_F(InProcessWindowTest, AMeterWithABlankConstantIsReportedAsIncomplete)
{
    auto meter = [](const char* constant, const char* number) {
        SimDevice::Verification v{QStringLiteral("15/06/07"), QStringLiteral("12.5"), {}, {}, {}};
        v.results = {SimDevice::Result{"230", "5", "1150", "1.00", "0.2", ""}};
        return SimDevice::Meter{QStringLiteral("кв. 1"),
                                QStringLiteral("СО-И446"),
                                QLatin1String(constant),
                                QLatin1String(number),
                                {v}};
    };
    port.device.meters = {meter("", "1"), meter("1600", "2")};
    Click(window->AOUT);
    ASSERT_EQ(window->SFFramePanel->LabelCom->text(), ULang::ExchangeFinished);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::IncompleteIdent);
    EXPECT_EQ(messages[0].caption, ULang::CaptionWriteError);
    // Only the complete meter is stored, with its own verification and result.
    ASSERT_EQ(dm->ADOSinchro->RecordCount(), 1);
    EXPECT_EQ(dm->ADOSinchro->FieldByName(QStringLiteral("PNumber")).AsString(), "2");
    EXPECT_EQ(dm->ADOSinchroData->RecordCount(), 1);
    EXPECT_EQ(dm->ADOSinchroResult->RecordCount(), 1);
}

TEST_F(InProcessWindowTest, CtrlDelWithACellBeingEditedDeletesTheRow)
{
    for (const char* n : {"1", "2", "3"})
        AddMeter(QStringLiteral("T"), QStringLiteral("1600"), QLatin1String(n),
                 QStringLiteral("A"));
    window->resize(700, 500);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    DBGrid* grid = window->DBGridTTipSinch;
    const QRect cell = grid->visualRect(grid->model()->index(1, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor) << "a cell editor has the focus";
    answer = MsgAnswer::Yes;
    QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ULang::AskDeleteSelected);
    QStringList left;
    for (int r = 0; r < dm->ADOSinchro->RecordCount(); ++r)
        left << dm->ADOSinchro->Value(r, dm->ADOSinchro->FieldIndex("PNumber")).toString();
    EXPECT_EQ(left, (QStringList{"1", "3"}));
    EXPECT_EQ(window->LabelNameCountSh->text(), QStringLiteral("Количество - 2 "));
}

TEST_F(InProcessWindowTest, RowCommandsFollowTheTableOfTheGridEntered)
{
    for (const char* n : {"1", "2", "3"})
        AddMeter(QStringLiteral("T"), QStringLiteral("1600"), QLatin1String(n),
                 QStringLiteral("A"));
    window->resize(700, 500);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // Which of first, prior, next, last and delete can be clicked.
    auto enabled = [this] {
        std::string out;
        for (QAction* a : {window->DataSetFirst1, window->DataSetPrior1, window->DataSetNext1,
                           window->DataSetLast1, window->DataSetDelete1})
            out += ButtonOf(a)->isEnabled() ? '1' : '0';
        return out;
    };
    DBGrid* meters = window->DBGridTTipSinch;
    QTest::mouseClick(meters->viewport(), Qt::LeftButton, {},
                      meters->visualRect(meters->model()->index(0, 0)).center());
    EXPECT_EQ(enabled(), "00111") << "the first meter";
    QTest::mouseClick(ButtonOf(window->DataSetNext1), Qt::LeftButton);
    EXPECT_EQ(dm->ADOSinchro->RecNo(), 1);
    EXPECT_EQ(enabled(), "11111") << "the second meter";
    // The verification grid of a meter without verifications: nothing to move to or delete.
    DBGrid* data = window->DBGridSData;
    QTest::mouseClick(data->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(enabled(), "00000") << "an empty table";
}

} // namespace
