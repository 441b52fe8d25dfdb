// How one grid column shows a dataset field: title, width, alignment, hint and pick list.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// Windows declare their columns with designated initializers, naming only what differs from
// these defaults: {.field = QStringLiteral("PNumber"), .width = 60, .hint = …}.
struct GridColumn {
    QString field{};
    QString title{}; // empty: the field's caption, or its name
    int width = -1;  // pixels; -1 leaves the default
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString hint{};
    QList<QPair<QVariant, QString>> pickList{}; // stored value -> shown text
    bool readOnly = false;
};

// The creep-test pick list of the verification grids.
QList<QPair<QVariant, QString>> SamohodPickList();
