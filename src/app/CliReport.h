#pragma once
// orbcashier-cli commands of the report templates.

#include <QStringList>

namespace Orb {

// report --template FILE --master "<SELECT …>" [--detail "<SELECT …>"]
//        [--var NAME=VALUE …] [--add-space] [--title TITLE] --pdf OUT
int RunReportCommand(const QStringList &args);
// template-dump FILE: the template as JSON on stdout.
int RunTemplateDumpCommand(const QStringList &args);

} // namespace Orb
