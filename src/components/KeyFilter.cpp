#include "components/KeyFilter.h"

namespace Orb {

namespace {

bool IntegerChar(QChar c)
{
    static const QString allowed = QStringLiteral("#$%'-0123456789");
    return c == QChar(8) || c == QChar(13) || allowed.contains(c);
}

} // namespace

int EnteredMaxLength(TEditTypes type, int maxLength)
{
    if (type == etFloat && maxLength <= 0)
        return 16;
    if (type == etDate)
        return 10;
    return maxLength;
}

KeyFilterResult FilterKey(TEditTypes type, QChar key, const QString &text, int selectionStart,
                          int selectionLength, int maxLength, QChar decimalSeparator)
{
    KeyFilterResult r;
    r.character = key;
    r.maxLength = maxLength;
    if (type != etInteger && type != etFloat && type != etDate)
        return r;
    // Typing over a selection from the first character replaces the number
    // as a whole, so it is not filtered.
    const bool overFromStart = selectionLength > 0 && selectionStart == 0;
    if (type != etDate && overFromStart)
        return r;

    if (type == etDate) {
        r.accepted = IntegerChar(key) || key == QLatin1Char('/');
        return r;
    }
    const bool point = key == QLatin1Char(',') || key == QLatin1Char('.');
    if (!IntegerChar(key) && !(type == etFloat && point)) {
        r.accepted = false;
        return r;
    }
    if (key == QLatin1Char('-') && text.contains(QLatin1Char('-'))) {
        r.accepted = false;
        return r;
    }
    if (type == etInteger && maxLength <= 0
        && (key == QLatin1Char('-') || text.contains(QLatin1Char('-'))))
        r.maxLength = 11;
    if (point) {
        if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('.')))
            r.accepted = false;
        else
            r.character = decimalSeparator;
    }
    return r;
}

} // namespace Orb
