// The query builder's column catalogue; captions and titles are the program's texts.
#include "selection/querycolumns.h"

#include "core/ulang.h"

const std::array<QueryColumn, QueryColumnCount>& QueryColumns()
{
    using G = ColumnGroup;
    auto c = [](G group, const char* box, const QString& caption, const char* sql,
                const QString& title) {
        const QString sqlName = QLatin1String(sql);
        return QueryColumn{group,
                           QLatin1String(box),
                           caption,
                           sqlName,
                           sqlName.mid(sqlName.indexOf(QLatin1Char('.')) + 1),
                           title};
    };
    static const std::array<QueryColumn, QueryColumnCount> columns = {
        c(G::Types, "CBTip", ULang::TypeDesignation, "TTip.PTipCH", ULang::TypeTitle),
        c(G::Types, "CBNomU", ULang::NominalVoltage, "TTip.PUnom", ULang::NominalVoltageTitle),
        c(G::Types, "CBNomI", ULang::NominalCurrent, "TTip.PInom", ULang::NominalCurrentTitle),
        c(G::Types, "CBReductRate", ULang::ReductionRatio, "TTip.PReductRate",
          ULang::MeterConstantTitle),
        c(G::Types, "CBClassT", ULang::AccuracyClass, "TTip.PClassT", ULang::AccuracyClass),
        c(G::Meters, "CBNumber", ULang::MeterNumber, "TIdent.PNumber", ULang::NumberTitle),
        c(G::Meters, "CBMaker", ULang::Manufacturer, "TIdent.PMaker", ULang::Maker),
        c(G::Meters, "CBYearOuput", ULang::YearOfManufacture, "TIdent.PYearOutput",
          ULang::YearOfManufacture),
        c(G::Meters, "CBAddress", ULang::Address, "TIdent.PAddress", ULang::Address),
        c(G::Verifications, "CBDateMeasure", ULang::VerificationDate, "TData.PDateMeasure",
          ULang::DateTitle),
        c(G::Verifications, "CBSamohod", ULang::Creep, "TData.PSamohod", ULang::Creep),
        c(G::Verifications, "CBUSamohod", ULang::VoltageShort, "TData.PUSamohod",
          ULang::VoltageShort),
        c(G::Verifications, "CBPokCH", ULang::MeterReading, "TData.POrmix", ULang::ReadingTitle),
        c(G::Results, "CBUMeasure", ULang::VoltageUnit, "TResult.PUMeasure", ULang::VoltageShort),
        c(G::Results, "CBIMeasure", ULang::CurrentUnit, "TResult.PIMeasure", ULang::CurrentTitle),
        c(G::Results, "CBPowerMeasure", ULang::PowerUnit, "TResult.PPowerMeasure",
          ULang::PowerTitle),
        c(G::Results, "CBFPMeasure", ULang::PowerFactor, "TResult.PFPMeasure",
          ULang::PowerFactorTitle),
        c(G::Results, "CBMistakeMeasure", ULang::MeterErrorPercent, "TResult.PMistakeMeasure",
          ULang::MeterErrorPercent),
    };
    return columns;
}
