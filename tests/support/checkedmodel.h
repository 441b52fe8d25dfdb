// QAbstractItemModelTester over a model, with its complaints collected so that a test can fail on
// them instead of only printing them.
#pragma once

#include <QAbstractItemModelTester>
#include <QStringList>

#include <memory>

class CheckedModel
{
  public:
    explicit CheckedModel(QAbstractItemModel* model)
    {
        Failures().clear();
        s_previous = qInstallMessageHandler(&CheckedModel::Handler);
        m_tester = std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~CheckedModel()
    {
        m_tester.reset();
        qInstallMessageHandler(s_previous);
    }
    CheckedModel(const CheckedModel&) = delete;
    CheckedModel& operator=(const CheckedModel&) = delete;

    // What the tester found wrong since the model was put under test.
    static QStringList& Failures()
    {
        static QStringList failures;
        return failures;
    }

  private:
    static void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (context.category && QByteArray(context.category) == "qt.modeltest" &&
            type != QtDebugMsg && type != QtInfoMsg)
            Failures() << text;
        else if (s_previous)
            s_previous(type, context, text);
    }

    inline static QtMessageHandler s_previous = nullptr;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};
