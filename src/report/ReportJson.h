#pragma once
// A template as JSON, for inspecting and comparing templates: the header,
// every line and every cell with geometry, borders, text, format, font,
// picture size and the merge links as [line, cell] pairs.

#include <QJsonObject>

namespace Orb {

class TReportDocument;

QJsonObject TemplateToJson(const TReportDocument &document);

} // namespace Orb
