// Buffer to archive and external rows to archive meters, one posted row at a time.
#include "transfer/archivetransfer.h"

#include "core/ulang.h"
#include "core/umessage.h"
#include "core/utools.h"
#include "database/scopedcommit.h"
#include "database/tdm.h"

namespace
{

const QString PTipCH = QStringLiteral("PTipCH");
const QString PReductRate = QStringLiteral("PReductRate");
const QString PNumber = QStringLiteral("PNumber");
const QString PAddress = QStringLiteral("PAddress");
const QString PMaker = QStringLiteral("PMaker");
const QString PYearOutput = QStringLiteral("PYearOutput");
const QString PIndex = QStringLiteral("PIndex");

// Key texts are compared as they will be stored: the views cut text to the column length, so
// a longer text must be cut before it is looked up, or a repeat would slip through.
QString KeyText(const QString& text, int size)
{
    QString t = TrimTrailingBlanks(text);
    return size > 0 && t.size() > size ? t.left(size) : t;
}

bool SameValue(const QVariant& a, const QVariant& b)
{
    bool na = !a.isValid() || a.isNull();
    bool nb = !b.isValid() || b.isNull();
    if (na || nb)
        return na == nb;
    return a.toDouble() == b.toDouble();
}

void ReportDatabaseError()
{
    ShowMessage(ULang::QueryFailed, ULang::CaptionError, MsgIcon::Error);
}

} // namespace

ArchiveTransfer::ArchiveTransfer(TDM& dm) : m_dm(dm) {}

bool ArchiveTransfer::InBrowseMode()
{
    // A pending edit in an archive grid is posted (or refused) before anything is matched, so a
    // refused edit can never be mistaken for a missing type or meter.
    for (DataSet* ds : {m_dm.ADOTip, m_dm.ADOIdent, m_dm.ADOData, m_dm.ADOResult}) {
        if (!ds->CheckBrowseMode())
            return false;
    }
    return true;
}

bool ArchiveTransfer::ResolveMeter(bool updateConstant)
{
    DataSet& buffer = *m_dm.ADOSinchro;
    DataSet& tip = *m_dm.ADOTip;
    DataSet& ident = *m_dm.ADOIdent;
    const QString tipText =
        KeyText(buffer.FieldByName(PTipCH).AsString(), tip.FieldByName(PTipCH).Def().size);
    const QString number =
        KeyText(buffer.FieldByName(PNumber).AsString(), ident.FieldByName(PNumber).Def().size);
    const QString address =
        KeyText(buffer.FieldByName(PAddress).AsString(), ident.FieldByName(PAddress).Def().size);
    const QVariant constant = buffer.Value(PReductRate);

    int before = tip.RecNo();
    if (!tip.IsEmpty() && tip.Locate({PTipCH}, {tipText})) {
        if (updateConstant) {
            if (!SameValue(constant, tip.Value(PReductRate))) {
                tip.Edit();
                tip.FieldByName(PReductRate).SetValue(constant);
                if (!tip.Post())
                    return false;
            }
            // The meters are read afresh; a move to another type has just done so.
            if (tip.RecNo() == before)
                ident.Requery();
        }
    } else {
        if (!tip.Append())
            return false;
        tip.FieldByName(PTipCH).SetValue(tipText);
        tip.FieldByName(PReductRate).SetValue(constant);
        tip.FieldByName(QStringLiteral("PUnom")).SetValue(0.0);
        tip.FieldByName(QStringLiteral("PInom")).SetValue(0.0);
        tip.FieldByName(QStringLiteral("PClassT")).SetValue(0.0);
        if (!tip.Post())
            return false;
    }

    if (!ident.IsEmpty() && ident.Locate({PNumber, PAddress}, {number, address}))
        return true;
    if (!ident.Append())
        return false;
    ident.FieldByName(PNumber).SetValue(number);
    ident.FieldByName(PAddress).SetValue(address);
    ident.FieldByName(PMaker).SetValue(ULang::UnknownMaker);
    ident.FieldByName(PYearOutput).SetValue(0);
    return ident.Post();
}

bool ArchiveTransfer::CopyVerification()
{
    DataSet& from = *m_dm.ADOSinchroData;
    DataSet& to = *m_dm.ADOData;
    if (!to.Append())
        return false;
    to.FieldByName(QStringLiteral("PSamohod"))
        .SetValue(from.FieldByName(QStringLiteral("PSamohod")).AsInteger());
    for (const char* name : {"PUSamohod", "POrmix", "PDateMeasure"})
        to.FieldByName(QLatin1String(name)).SetValue(from.Value(QLatin1String(name)));
    if (!to.Post())
        return false;

    DataSet& results = *m_dm.ADOSinchroResult;
    DataSet& target = *m_dm.ADOResult;
    if (!results.First())
        return false;
    while (!results.Eof()) {
        if (!target.Append())
            return false;
        for (const char* name : {"PUMeasure", "PIMeasure", "PPowerMeasure", "PFPMeasure",
                                 "PMistakeMeasure", "PDateMeasure"})
            target.FieldByName(QLatin1String(name)).SetValue(results.Value(QLatin1String(name)));
        if (!target.Post())
            return false;
        if (!results.Next())
            return false;
    }
    return true;
}

bool ArchiveTransfer::CopyAllVerifications()
{
    DataSet& data = *m_dm.ADOSinchroData;
    if (!data.First())
        return false;
    while (!data.Eof()) {
        if (!CopyVerification())
            return false;
        if (!data.Next())
            return false;
    }
    return true;
}

bool ArchiveTransfer::TransIdentRecord()
{
    try {
        if (m_dm.ADOSinchro->IsEmpty() || !InBrowseMode())
            return false;
        // One commit for the meter's rows: far fewer disk writes, and a program killed midway
        // leaves either the whole meter or nothing of it. Rows posted before a refused one stay.
        ScopedCommit commit(m_dm.ConnectionName());
        bool done = ResolveMeter(true) && CopyAllVerifications();
        if (!commit.Commit()) {
            for (DataSet* ds : {m_dm.ADOTip, m_dm.ADOIdent, m_dm.ADOData, m_dm.ADOResult})
                ds->Requery();
            ReportDatabaseError();
            return false;
        }
        return done;
    } catch (const DatabaseError&) {
        ReportDatabaseError();
        return false;
    } catch (const EConvertError& e) {
        ShowMessage(e.Message(), ULang::CaptionError, MsgIcon::Error);
        return false;
    }
}

ArchiveTransfer::Outcome ArchiveTransfer::WalkBufferMeters(const RowSelection& selection,
                                                           const TransferProgress& progress)
{
    DataSet& buffer = *m_dm.ADOSinchro;
    if (selection.kind == RowSelection::Kind::None || buffer.IsEmpty())
        return Outcome::Done;
    if (selection.kind == RowSelection::Kind::Rows) {
        const int total = static_cast<int>(selection.bookmarks.size());
        int done = 0;
        for (qint64 mark : selection.bookmarks) {
            // A row deleted since it was marked is passed over.
            if (buffer.GotoBookmark(mark) && !TransIdentRecord())
                return Outcome::Refused;
            if (progress && !progress(++done, total) && done < total)
                return Outcome::Stopped;
        }
        return Outcome::Done;
    }
    const int total = buffer.RecordCount();
    int done = 0;
    if (!buffer.First())
        return Outcome::Refused;
    while (!buffer.Eof()) {
        if (!TransIdentRecord())
            return Outcome::Refused;
        ++done;
        if (!buffer.Next())
            return Outcome::Refused;
        if (progress && !progress(done, total) && !buffer.Eof())
            return Outcome::Stopped;
    }
    return Outcome::Done;
}

ArchiveTransfer::Outcome ArchiveTransfer::ATransIdent(const RowSelection& selection,
                                                      const TransferProgress& progress)
{
    try {
        return WalkBufferMeters(selection, progress);
    } catch (const DatabaseError&) {
        ReportDatabaseError();
        return Outcome::Refused;
    }
}

ArchiveTransfer::Outcome ArchiveTransfer::AINArchiv(const TransferProgress& progress)
{
    return ATransIdent(RowSelection::Everything(), progress);
}

ArchiveTransfer::Outcome ArchiveTransfer::ATransResult(const RowSelection& selection)
{
    DataSet& data = *m_dm.ADOSinchroData;
    // Nothing chosen: no type or meter is created for nothing.
    if (selection.kind == RowSelection::Kind::None || m_dm.ADOSinchro->IsEmpty() || data.IsEmpty())
        return Outcome::Done;
    try {
        if (!InBrowseMode() || !ResolveMeter(false))
            return Outcome::Refused;
        if (selection.kind == RowSelection::Kind::Rows) {
            for (qint64 mark : selection.bookmarks) {
                if (data.GotoBookmark(mark) && !CopyVerification())
                    return Outcome::Refused;
            }
            return Outcome::Done;
        }
        return CopyAllVerifications() ? Outcome::Done : Outcome::Refused;
    } catch (const DatabaseError&) {
        ReportDatabaseError();
        return Outcome::Refused;
    }
}

QString ArchiveTransfer::CheckExternalCopy(const DataSet& external) const
{
    if (external.FieldCount() < 4)
        return ULang::NotEnoughData;
    for (int i : {0, 1, 3}) {
        if (external.FieldDefAt(i).type != FieldType::Text)
            return ULang::DataTypeMismatch;
    }
    if (external.FieldDefAt(2).type != FieldType::Integer)
        return ULang::DataTypeMismatch;
    // The copied meters belong to the current archive type: without one they would have no type.
    if (!m_dm.ADOTip->Active() || m_dm.ADOTip->IsEmpty() ||
        m_dm.ADOTip->GetState() == DataSet::State::Insert)
        return ULang::MeterTypeUndefined;
    return {};
}

ArchiveTransfer::CopyResult ArchiveTransfer::TransIdentSQLRecord(DataSet& external)
{
    DataSet& ident = *m_dm.ADOIdent;
    const QString number =
        KeyText(Field(&external, 0).AsString(), ident.FieldByName(PNumber).Def().size);
    const QString address =
        KeyText(Field(&external, 3).AsString(), ident.FieldByName(PAddress).Def().size);
    if (!ident.IsEmpty() && ident.Locate({PNumber, PAddress}, {number, address}))
        return CopyResult::Skipped;
    if (!ident.Append())
        return CopyResult::Refused;
    ident.FieldByName(QStringLiteral("PSecIndex")).SetValue(m_dm.ADOTip->Value(PIndex));
    ident.FieldByName(PNumber).SetValue(number);
    ident.FieldByName(PMaker).SetValue(Field(&external, 1).AsString());
    ident.FieldByName(PYearOutput).SetValue(Field(&external, 2).AsInteger());
    ident.FieldByName(PAddress).SetValue(address);
    return ident.Post() ? CopyResult::Copied : CopyResult::Refused;
}

ArchiveTransfer::CopyCounts ArchiveTransfer::ATransIdentSQL(DataSet& external,
                                                            const RowSelection& selection)
{
    CopyCounts counts;
    if (selection.kind == RowSelection::Kind::None || external.IsEmpty())
        return counts;
    try {
        if (!CheckExternalCopy(external).isEmpty() || !InBrowseMode()) {
            counts.refused = true;
            return counts;
        }
        auto copyCurrent = [&]() {
            CopyResult r = TransIdentSQLRecord(external);
            if (r == CopyResult::Refused) {
                counts.refused = true;
                return false;
            }
            ++(r == CopyResult::Copied ? counts.copied : counts.skipped);
            ++counts.total;
            return true;
        };
        if (selection.kind == RowSelection::Kind::Rows) {
            for (qint64 mark : selection.bookmarks) {
                if (external.GotoBookmark(mark) && !copyCurrent())
                    break;
            }
        } else if (external.First()) {
            while (!external.Eof() && copyCurrent()) {
                if (!external.Next())
                    break;
            }
        }
    } catch (const DatabaseError&) {
        ReportDatabaseError();
        counts.refused = true;
    }
    return counts;
}
