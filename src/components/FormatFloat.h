#pragma once
// Numbers written through a display format the way the windows give them:
// "0.00", "0.########", "#,##0.00", "共0条", with an optional negative and
// zero section after ";" and literal text in quotes.

#include <QString>

namespace Orb {

QString FormatFloat(const QString &format, double value);

} // namespace Orb
