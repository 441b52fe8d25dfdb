// Shared building of the entry panels: labelled fields above an OK and a Cancel button.
#pragma once

#include <QString>
#include <QVariantList>

class QDialog;
class QFormLayout;
class QLineEdit;
class QPushButton;
class TDM;

class EntryPanelLayout
{
  public:
    explicit EntryPanelLayout(QDialog* panel);
    // Adds a labelled field; maxLength 0 leaves the length open.
    QLineEdit* AddField(const QString& label, int maxLength);
    // Adds the two buttons; Enter in a field never presses them.
    void AddButtons(QPushButton*& ok, QPushButton*& cancel);

  private:
    QDialog* m_panel;
    QFormLayout* m_form;
};

// Runs a duplicate-check statement on the data module's query view: the rows found, or -1 after
// the database failed (its message shown).
int CountMatchingRows(TDM& dm, const QString& sql, const QVariantList& bindings);
