// Archive meters into the buffer; a meter already in the buffer (type, number and address equal
// ignoring case) is not added again.
#include "transfer/buffertransfer.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "database/tdm.h"

namespace
{
const QString PTipCH = QStringLiteral("PTipCH");
const QString PReductRate = QStringLiteral("PReductRate");
const QString PNumber = QStringLiteral("PNumber");
const QString PAddress = QStringLiteral("PAddress");
} // namespace

BufferTransfer::BufferTransfer(TDM& dm) : m_dm(dm) {}

bool BufferTransfer::CopyCurrentMeter(int& added)
{
    DataSet& tip = *m_dm.ADOTip;
    DataSet& ident = *m_dm.ADOIdent;
    DataSet& buffer = *m_dm.ADOSinchro;
    const QVariant type = tip.Value(PTipCH);
    const QVariant number = ident.Value(PNumber);
    const QVariant address = ident.Value(PAddress);
    if (!buffer.IsEmpty() && buffer.Locate({PTipCH, PNumber, PAddress}, {type, number, address}))
        return true;
    if (!buffer.Append())
        return false;
    buffer.FieldByName(PTipCH).SetValue(type);
    buffer.FieldByName(PReductRate).SetValue(tip.Value(PReductRate));
    buffer.FieldByName(PNumber).SetValue(number);
    buffer.FieldByName(PAddress).SetValue(address);
    if (!buffer.Post())
        return false;
    ++added;
    return true;
}

bool BufferTransfer::CopyTypeMeters(int& added)
{
    DataSet& ident = *m_dm.ADOIdent;
    if (!ident.First())
        return false;
    while (!ident.Eof()) {
        if (!CopyCurrentMeter(added) || !ident.Next())
            return false;
    }
    return true;
}

int BufferTransfer::ATransInTip(const RowSelection& types)
{
    DataSet& tip = *m_dm.ADOTip;
    int added = 0;
    if (types.kind == RowSelection::Kind::None || tip.IsEmpty())
        return added;
    try {
        if (types.kind == RowSelection::Kind::Rows) {
            for (qint64 mark : types.bookmarks) {
                if (tip.GotoBookmark(mark) && !CopyTypeMeters(added))
                    break;
            }
        } else if (tip.First()) {
            while (!tip.Eof()) {
                if (!CopyTypeMeters(added) || !tip.Next())
                    break;
            }
        }
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
    return added;
}

int BufferTransfer::ATransIdent(const RowSelection& meters)
{
    DataSet& ident = *m_dm.ADOIdent;
    int added = 0;
    if (meters.kind == RowSelection::Kind::None || ident.IsEmpty())
        return added;
    try {
        if (meters.kind == RowSelection::Kind::Rows) {
            for (qint64 mark : meters.bookmarks) {
                if (ident.GotoBookmark(mark) && !CopyCurrentMeter(added))
                    break;
            }
        } else {
            CopyTypeMeters(added);
        }
    } catch (const DatabaseError&) {
        ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
    }
    return added;
}
