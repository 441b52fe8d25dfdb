// Progress of a long transfer into the archive, with a Cancel button that stops between rows.
#pragma once

#include "transfer/archivetransfer.h"

#include <QProgressDialog>

class TransferProgressDialog : public QProgressDialog
{
    Q_OBJECT
  public:
    // Shown only when the transfer lasts longer than a moment.
    explicit TransferProgressDialog(const QString& label, QWidget* parent = nullptr);
    // The callback to hand to ArchiveTransfer; valid while the dialog exists.
    TransferProgress Callback();
};
