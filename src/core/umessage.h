// The one message-box function of the program; windows install the real dialog, tests an answerer.
#pragma once

#include <QString>
#include <functional>

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

using MessageHandler =
    std::function<MsgAnswer(const QString& text, const QString& caption, MsgIcon, MsgButtons)>;

// Shows a message and returns the user's answer. Without an installed handler it answers OK, No
// or Cancel, so non-interactive code never blocks and never confirms a change.
MsgAnswer ShowMessage(const QString& text, const QString& caption, MsgIcon icon,
                      MsgButtons buttons = MsgButtons::Ok);

// Installs the handler and returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);
