// Routing of every message box through one replaceable handler.
#include "core/umessage.h"

namespace
{
MessageHandler& CurrentHandler()
{
    static MessageHandler handler;
    return handler;
}
} // namespace

MsgAnswer ShowMessage(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons)
{
    if (CurrentHandler())
        return CurrentHandler()(text, caption, icon, buttons);
    // Nobody to ask: take the answer that changes nothing.
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
        break;
    }
    return MsgAnswer::No;
}

MessageHandler SetMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}
