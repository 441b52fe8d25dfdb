// A fresh archive in a temporary folder with a data module on it, and a recorder of message boxes.
#pragma once

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/schema.h"
#include "database/tdm.h"
#include "support/testapp.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

struct ShownMessage {
    QString text;
    QString caption;
    MsgIcon icon;
};

class ArchiveFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dir.isValid());
        QString error;
        ASSERT_TRUE(ArchiveSchema::CreateArchiveFile(dir.filePath(ULang::ArchiveFileName), &error))
            << error.toStdString();
        previous = SetMessageHandler(
            [this](const QString& text, const QString& caption, MsgIcon icon, MsgButtons) {
                messages.push_back({text, caption, icon});
                return answer;
            });
        dm = std::make_unique<TDM>(
            std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))));
        ASSERT_TRUE(dm->Open(dir.path())) << dm->FailureReason().toStdString();
    }

    void TearDown() override
    {
        dm.reset();
        SetMessageHandler(previous);
    }

    // Adds a type through the view and returns its key.
    qint64 AddType(const QString& tip, const QString& constant = QStringLiteral("800"))
    {
        EXPECT_TRUE(dm->AddTip(tip, QStringLiteral("220"), QStringLiteral("5"), constant,
                               QStringLiteral("2")));
        return dm->ADOTip->FieldByName(QStringLiteral("PIndex")).AsInteger();
    }

    qint64 AddMeter(const QString& number, const QString& address)
    {
        EXPECT_TRUE(dm->AddIdent(number, address, QStringLiteral("Завод"), QStringLiteral("2004")));
        return dm->ADOIdent->FieldByName(QStringLiteral("PIndex")).AsInteger();
    }

    QTemporaryDir dir;
    std::unique_ptr<TDM> dm;
    std::vector<ShownMessage> messages;
    MsgAnswer answer = MsgAnswer::Ok;
    MessageHandler previous;
};
