#pragma once
// Every modal exec() of the system goes through RunModal, so tests can script
// dialogs: a handler sees the dialog before it would block, may fill and press
// its controls, and returns the dialog's result.

#include <functional>

class QDialog;

namespace Orb {

using DialogHandler = std::function<int(QDialog *dialog)>;

int RunModal(QDialog *dialog);

// Installs a handler for the coming modal dialogs (tests). The handler is
// called instead of exec(); an empty handler restores exec().
void SetDialogHandler(DialogHandler handler);

// RAII form for tests.
class ScopedDialogHandler {
public:
    explicit ScopedDialogHandler(DialogHandler handler);
    ~ScopedDialogHandler();
};

} // namespace Orb
