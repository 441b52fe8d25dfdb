// The error-curve window on the archive: curves, band and texts, hover values, save and print.
#include "errorcurve/curvesource.h"
#include "support/transferfixture.h"
#include "ui/errorcurve/errorchartview.h"
#include "ui/errorcurve/tferrorcurve.h"

#include <QAreaSeries>
#include <QChart>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

namespace
{

struct Point {
    double current;
    const char* pf;
    double error;
};

// Answers the next modal dialog of the given type once it is up.
template <typename Dialog> void WhenModal(std::function<void(Dialog*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        answer(dialog);
        // A failed answer must not leave the test waiting on the dialog.
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}

// Types a path into a file dialog's name field and confirms it with Enter.
void TypeFileName(QFileDialog* dialog, const QString& path)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    // Without the focus in the name field the dialog overwrites it with the file it selects.
    QApplication::setActiveWindow(dialog);
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, path);
    // The first Enter may only take the completer's suggestion, as it does for a user.
    for (int i = 0; i < 3 && dialog->isVisible(); ++i) {
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
}

class TFErrorCurveTest : public TransferFixture
{
  protected:
    void SetUp() override
    {
        TransferFixture::SetUp();
        ASSERT_TRUE(dm->AddTip(QStringLiteral("СО-И446"), QStringLiteral("230"),
                               QStringLiteral("5"), QStringLiteral("800"), QStringLiteral("1")));
        AddMeter(QStringLiteral("012345"), QStringLiteral("ул. Мира 1"));
        // Six currents from 5 % to 200 % of 5 A at two power factors; 0.5 A at unity is beyond
        // the 1 % of class 1, and one error is beyond 1000 %.
        QList<Point> points;
        for (double i : {0.25, 0.5, 1.0, 2.5, 5.0, 10.0}) {
            points.append({i, "1.00", i == 0.5 ? 1.3 : 0.1 * i - 0.4});
            points.append({i, "0.5/L", i == 10.0 ? 1500 : -0.2 * i + 0.3});
        }
        AddVerification(QDate(2024, 3, 12), 1, points);
        AddVerification(QDate(2024, 4, 2), 99, {{2.5, "1.00", 0.12}});
        AddVerification(QDate(2024, 5, 7), 2, {});
        AddVerification(QDate(2024, 6, 3), 1, {{1, "0.8/C", 0.2}, {5, "0.8/C", 0.4}});
        ASSERT_TRUE(dm->ADOData->First());
        window = std::make_unique<TFErrorCurve>(CurveSource::Archive(*dm));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override
    {
        window.reset();
        TransferFixture::TearDown();
    }

    void AddVerification(const QDate& date, int samohod, const QList<Point>& points)
    {
        DataSet& d = *dm->ADOData;
        ASSERT_TRUE(d.Append());
        d.FieldByName(QStringLiteral("PSamohod")).SetValue(samohod);
        d.FieldByName(QStringLiteral("POrmix")).SetValue(4321.5);
        d.FieldByName(QStringLiteral("PDateMeasure")).SetValue(QDateTime(date, QTime(0, 0)));
        d.FieldByName(QStringLiteral("PUSamohod")).SetValue(264.5);
        ASSERT_TRUE(d.Post());
        DataSet& r = *dm->ADOResult;
        for (const Point& p : points) {
            ASSERT_TRUE(r.Append());
            r.FieldByName(QStringLiteral("PUMeasure")).SetValue(230.0);
            r.FieldByName(QStringLiteral("PIMeasure")).SetValue(p.current);
            r.FieldByName(QStringLiteral("PPowerMeasure")).SetValue(230.0 * p.current);
            r.FieldByName(QStringLiteral("PFPMeasure")).SetValue(QString::fromLatin1(p.pf));
            r.FieldByName(QStringLiteral("PMistakeMeasure")).SetValue(p.error);
            ASSERT_TRUE(r.Post());
        }
    }

    QChart* Chart() const { return window->ChartView->chart(); }

    QStringList SeriesNames() const
    {
        QStringList names;
        for (QAbstractSeries* s : Chart()->series()) {
            if (s->isVisible() && !s->name().isEmpty())
                names << s->name();
        }
        return names;
    }

    QLineSeries* Line(const QString& name) const
    {
        for (QAbstractSeries* s : Chart()->series()) {
            if (s->name() == name)
                return qobject_cast<QLineSeries*>(s);
        }
        return nullptr;
    }

    // Where a point of a series is on the chart view's viewport.
    QPoint ViewportPos(QLineSeries* series, int index) const
    {
        const QPointF inChart = Chart()->mapToPosition(series->at(index), series);
        return window->ChartView->mapFromScene(Chart()->mapToScene(inChart));
    }

    void ClickToolButton(QAction* action)
    {
        QWidget* button = window->ToolBar->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::unique_ptr<TFErrorCurve> window;
};

TEST_F(TFErrorCurveTest, DrawsOneCurvePerPowerFactorWithTheClassBandAndFollowsTheVerification)
{
    EXPECT_EQ(Chart()->title(), QStringLiteral("СО-И446 № 012345, поверка 12/03/24, самоход: нет, "
                                               "показание счетчика: 4321.5"));
    EXPECT_TRUE(window->ChartView->isVisible());
    EXPECT_EQ(SeriesNames(),
              QStringList({"Пределы класса 1, Км 1", "Пределы класса 1, Км 0.5 L, 0.8 C", "Км 1.00",
                           "Км 0.5/L"}));
    QLineSeries* unity = Line(QStringLiteral("Км 1.00"));
    ASSERT_NE(unity, nullptr);
    ASSERT_EQ(unity->count(), 6);
    // The point beyond the class limit is red; the others keep the curve's colour.
    EXPECT_EQ(
        unity->pointConfiguration(1).value(QXYSeries::PointConfiguration::Color).value<QColor>(),
        QColor(0xe0, 0, 0));
    EXPECT_TRUE(unity->pointConfiguration(0).isEmpty());
    // 1500 % sits at the top edge and the scale stays that of the other errors.
    QLineSeries* reduced = Line(QStringLiteral("Км 0.5/L"));
    ASSERT_NE(reduced, nullptr);
    EXPECT_EQ(reduced->at(5).y(), window->Curve().errorAxis.max);
    EXPECT_LT(window->Curve().errorAxis.max, 10);
    EXPECT_TRUE(window->StatusLabel->text().contains(ULang::CurveBeyondLimits.arg(2).arg(12)))
        << window->StatusLabel->text().toStdString();

    // The next verification has one point: its values are said instead of a chart.
    ASSERT_TRUE(dm->ADOData->Next());
    QTRY_VERIFY(window->MessageLabel->isVisible());
    EXPECT_TRUE(window->MessageLabel->text().contains(ULang::CurveSinglePoint));
    EXPECT_TRUE(window->MessageLabel->text().contains(QStringLiteral("поверка 02/04/24")));
    EXPECT_TRUE(window->MessageLabel->text().contains(QStringLiteral("погрешность 0.12 %")));
    EXPECT_FALSE(window->ChartView->isVisible());

    ASSERT_TRUE(dm->ADOData->Next());
    QTRY_VERIFY(window->MessageLabel->text().contains(ULang::CurveNoResults));
    EXPECT_TRUE(window->MessageLabel->text().contains(QStringLiteral("самоход: есть")));

    // One power factor only: the other curve and band leave the chart and its legend.
    ASSERT_TRUE(dm->ADOData->Next());
    QTRY_VERIFY(window->ChartView->isVisible());
    EXPECT_EQ(SeriesNames(), QStringList({"Пределы класса 1, Км 0.5 L, 0.8 C", "Км 0.8/C"}));
    int legendEntries = 0;
    for (QLegendMarker* m : Chart()->legend()->markers())
        legendEntries += m->isVisible() ? 1 : 0;
    EXPECT_EQ(legendEntries, 2);

    ASSERT_TRUE(dm->ADOData->First());
    QTRY_VERIFY(Chart()->title().contains(QStringLiteral("поверка 12/03/24")));
    ASSERT_NE(Line(QStringLiteral("Км 1.00")), nullptr);
    EXPECT_EQ(Line(QStringLiteral("Км 1.00"))->count(), 6);
    EXPECT_EQ(SeriesNames().size(), 4);
}

TEST_F(TFErrorCurveTest, HoveringAPointShowsItsValues)
{
    QLineSeries* reduced = Line(QStringLiteral("Км 0.5/L"));
    ASSERT_NE(reduced, nullptr);
    QTest::mouseMove(window->ChartView->viewport(), ViewportPos(reduced, 3) + QPoint(2, -1));
    QTRY_COMPARE(window->StatusLabel->text(),
                 QStringLiteral("U = 230 В, I = 2.5 А, P = 575 Вт, Км 0.5/L, погрешность -0.20 %"));
    // The overflowing point tells its error as the grids do.
    QTest::mouseMove(window->ChartView->viewport(), ViewportPos(reduced, 5));
    QTRY_VERIFY(window->StatusLabel->text().endsWith(QStringLiteral("погрешность >1000 %")));
    // Away from every point the notes come back.
    QTest::mouseMove(window->ChartView->viewport(), QPoint(3, 3));
    QTRY_VERIFY(window->StatusLabel->text().startsWith(ULang::CurveBeyondLimits.left(10)));
}

TEST_F(TFErrorCurveTest, SavesThroughTheDialogAsPngSvgAndPdf)
{
    QTemporaryDir out;
    for (const char* name : {"curve.png", "curve.svg", "curve.pdf"}) {
        const QString path = out.filePath(QLatin1String(name));
        WhenModal<QFileDialog>([path](QFileDialog* d) { TypeFileName(d, path); });
        ClickToolButton(window->ASave);
        ASSERT_TRUE(QFileInfo::exists(path)) << name;
    }
    QImage png(out.filePath(QStringLiteral("curve.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_GE(png.width(), window->ChartView->width());
    // Drawn, not blank: the red of the point beyond the limits is in the picture.
    int red = 0;
    for (int y = 0; y < png.height(); y += 1)
        for (int x = 0; x < png.width(); x += 1)
            red += png.pixelColor(x, y) == QColor(0xe0, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 10);
    QFile svg(out.filePath(QStringLiteral("curve.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
    QFile pdf(out.filePath(QStringLiteral("curve.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    // A file where a folder should be: a clear message, no crash.
    QFile blocker(out.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString refused = blocker.fileName() + QStringLiteral("/curve.png");
    WhenModal<QFileDialog>([refused](QFileDialog* d) { TypeFileName(d, refused); });
    ClickToolButton(window->ASave);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, ULang::CurveSaveFailed.arg(refused));
    EXPECT_EQ(messages.back().caption, ULang::CaptionError);
}

TEST_F(TFErrorCurveTest, PrintsThroughThePrintDialogToPdf)
{
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("printed.pdf"));
    WhenModal<QPrintDialog>([path](QPrintDialog* d) {
        // The print dialog's own field for the output file, filled in as a user would.
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_NE(edit, nullptr);
        QApplication::setActiveWindow(d);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, path);
        auto* buttons = d->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    ClickToolButton(window->APrint);
    ASSERT_TRUE(QFileInfo::exists(path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

} // namespace
