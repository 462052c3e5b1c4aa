#pragma once
// Running a find on a window's query, and reading a grid's footer.

#include <QString>

namespace Orb {

class TOrbQuery;
class TOrbNDBGrid;

// Reopens the query on the SQL under the progress window and tells how many
// rows were found.
void RunFindQuery(TOrbQuery *query, const QString &sql);

// The footer text of the grid column bound to the field, empty when none.
void GridFooterValue(const TOrbNDBGrid *grid, const QString &fieldName, QString &text);

} // namespace Orb
