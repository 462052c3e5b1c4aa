#pragma once
// The key filter of the entry controls by edit type, without a widget: what
// a typed character does to a box holding some text and selection.

#include <QChar>
#include <QString>

namespace Orb {

enum TEditTypes { etString, etInteger, etFloat, etDate, etTime, etPhone };

struct KeyFilterResult {
    bool accepted = true;
    QChar character;         // the character to insert (a decimal point may be replaced)
    int maxLength = 0;       // the box's maximum length afterwards (0: none)
};

// key: the typed character; text, selection and maxLength: the box before
// the key; decimalSeparator: the workstation's.
KeyFilterResult FilterKey(TEditTypes type, QChar key, const QString &text, int selectionStart,
                          int selectionLength, int maxLength, QChar decimalSeparator);

// Maximum length a box of the type takes when entered (0 keeps the given one).
int EnteredMaxLength(TEditTypes type, int maxLength);

// Number and date boxes type without an input method.
inline bool UsesInputMethod(TEditTypes type)
{
    return type != etInteger && type != etFloat && type != etDate;
}

} // namespace Orb
