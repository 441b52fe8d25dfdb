// Progress dialog of the transfers.
#include "widgets/transferprogressdialog.h"

#include "core/ulang.h"

TransferProgressDialog::TransferProgressDialog(const QString& label, QWidget* parent)
    : QProgressDialog(label, ULang::ButtonCancel, 0, 0, parent)
{
    setWindowTitle(ULang::AppCaption);
    setAccessibleName(label);
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(400);
    setAutoClose(true);
    setAutoReset(false);
}

TransferProgress TransferProgressDialog::Callback()
{
    return [this](int done, int total) {
        if (maximum() != total)
            setMaximum(total);
        setValue(done);
        return !wasCanceled();
    };
}
