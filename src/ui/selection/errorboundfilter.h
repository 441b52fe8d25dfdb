// Key filter of the error bound edits of the selection dialogs: digits, points and backspace (and
// the minus sign where negative bounds make sense); a comma types a point; Enter and leaving the
// edit write the number back in the program's form.
#pragma once

#include <QObject>

class QLineEdit;

class ErrorBoundFilter : public QObject
{
    Q_OBJECT
  public:
    // Installs itself on the edit; the edit owns it.
    static ErrorBoundFilter* Install(QLineEdit* edit, bool minusAllowed);

    // The text read by the tolerant number reading and written back with "." as decimal
    // separator: "1,50" becomes "1.5", an empty or non-numeric text "0".
    static void Normalise(QLineEdit* edit);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ErrorBoundFilter(QLineEdit* edit, bool minusAllowed);

    QLineEdit* m_edit;
    bool m_minusAllowed;
};
