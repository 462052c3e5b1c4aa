#include "data/DialogRunner.h"

#include <QDialog>

namespace Orb {

namespace {
DialogHandler g_handler;
}

int RunModal(QDialog *dialog)
{
    if (g_handler) {
        dialog->show();
        const int result = g_handler(dialog);
        dialog->setResult(result);
        dialog->hide();
        return result;
    }
    return dialog->exec();
}

void SetDialogHandler(DialogHandler handler)
{
    g_handler = std::move(handler);
}

ScopedDialogHandler::ScopedDialogHandler(DialogHandler handler)
{
    SetDialogHandler(std::move(handler));
}

ScopedDialogHandler::~ScopedDialogHandler()
{
    SetDialogHandler({});
}

} // namespace Orb
