// Symbol-font column titles.
#include "widgets/symboltitleheader.h"

#include <QStyleOptionHeader>

SymbolTitleHeader::SymbolTitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

void SymbolTitleHeader::SetSymbolColumn(int logicalIndex, bool symbol)
{
    if (symbol)
        m_symbolColumns.insert(logicalIndex);
    else
        m_symbolColumns.remove(logicalIndex);
    viewport()->update();
}

QString SymbolTitleHeader::SymbolText(const QString& text)
{
    // Letters of the Symbol font's Latin positions, lower case then upper case.
    static const QString lower = QStringLiteral("αβχδεφγηιϕκλμνοπθρστυϖωξψζ");
    static const QString upper = QStringLiteral("ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ");
    QString out = text;
    for (QChar& c : out) {
        ushort u = c.unicode();
        if (u >= 'a' && u <= 'z')
            c = lower.at(u - 'a');
        else if (u >= 'A' && u <= 'Z')
            c = upper.at(u - 'A');
    }
    return out;
}

void SymbolTitleHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (m_symbolColumns.contains(logicalIndex))
        option->text = SymbolText(option->text);
}
