#pragma once
// Number display formats of the templates: "#,##0.00", "0.0", "￥#,##0.00元",
// up to three sections (positive;negative;zero); an empty format gives the
// general number form (30.5, 1000, 0.125).

#include <QString>

namespace Orb {

QString FormatFloat(const QString &format, double value);
QString GeneralNumber(double value);

} // namespace Orb
