// Grid header that shows chosen column titles as the Symbol font shows them: Latin letters as
// their Greek counterparts, so "d, %" reads as a delta.
#pragma once

#include <QHeaderView>
#include <QSet>

class SymbolTitleHeader : public QHeaderView
{
    Q_OBJECT
  public:
    explicit SymbolTitleHeader(QWidget* parent = nullptr);
    void SetSymbolColumn(int logicalIndex, bool symbol = true);
    // The text as the Symbol font draws it (a → α, d → δ, p → π...).
    static QString SymbolText(const QString& text);

  protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;

  private:
    QSet<int> m_symbolColumns;
};
