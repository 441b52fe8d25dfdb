// Caption line, point values and band labels of the error curve.
#include "errorcurve/curvetexts.h"

#include "core/ulang.h"
#include "core/utools.h"
#include "database/dataset.h"
#include "database/derivedtexts.h"

namespace
{

const QString Missing = QStringLiteral("-");

QString Number(const QVariant& value)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    return value.isNull() || !ok ? Missing : FloatToText(v);
}

QString Text(const QString& text)
{
    const QString t = TrimTrailingBlanks(text);
    return t.isEmpty() ? Missing : t;
}

} // namespace

QString CurveTexts::Caption(const VerificationData& data)
{
    const QString date = FieldText(FieldType::Date, data.date);
    return ULang::CurveCaption.arg(Text(data.type), Text(data.number),
                                   date.isEmpty() ? Missing : date, PSamohodSText(data.samohod),
                                   Number(data.reading));
}

QString CurveTexts::PointHint(const ResultRow& row)
{
    return ULang::CurvePointHint.arg(Number(row.voltage), Number(row.current), Number(row.power),
                                     Text(row.powerFactor), PMistMeasureText(row.error));
}

QString CurveTexts::LoadLabel(LoadKind kind)
{
    switch (kind) {
    case LoadKind::Unity:
        return QStringLiteral("1");
    case LoadKind::Reduced:
        return QStringLiteral("0.5 L, 0.8 C");
    case LoadKind::LowInductive:
        return QStringLiteral("0.25 L");
    case LoadKind::LowCapacitive:
        return QStringLiteral("0.5 C");
    case LoadKind::Other:
        break;
    }
    return {};
}
