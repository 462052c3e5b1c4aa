#pragma once
// Pieces the small input windows share.

#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;

namespace Orb {

// A number box of maxLength digits, named, with the input method off.
QLineEdit *DigitEdit(QWidget *parent, const char *name, int maxLength);

} // namespace Orb
