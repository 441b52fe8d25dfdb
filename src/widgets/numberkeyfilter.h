// Key filter and normalising of the numeric fields of the entry panels.
#pragma once

#include <QObject>

class QLineEdit;

class NumberKeyFilter : public QObject
{
    Q_OBJECT
  public:
    // Decimal: digits and one separator ("," and "." both become "."); Whole: digits only.
    enum class Kind { Decimal, Whole };

    // Installs itself on the field; the field owns it.
    static NumberKeyFilter* Install(QLineEdit* edit, Kind kind);

    // Replaces the text by its number as the program writes it: an empty field becomes 0,
    // "220,0" becomes 220. A whole number beyond 32 bits is reported and the text is kept.
    static bool Normalise(QLineEdit* edit);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    NumberKeyFilter(QLineEdit* edit, Kind kind);

    QLineEdit* m_edit;
    Kind m_kind;
};
