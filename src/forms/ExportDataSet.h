#pragma once
// The rows an export reads: a data set of named, typed fields. The exporters
// know nothing else of where the rows come from; a query model, a table model
// or rows read by a SQL statement all fit behind this interface.

#include <QMetaType>
#include <QString>
#include <QVariant>

namespace Orb {

// How a field's values are written to a spreadsheet.
enum class TExportFieldKind {
    Integer,   // small integer, integer, word, bytes, auto-increment
    Float,     // float, currency, BCD
    Blob,      // memo, graphic and other large objects
    Text,      // everything else, written as its text
};

TExportFieldKind ExportKindOf(QMetaType type);
// The text a field shows: empty for null, dates as YYYY-MM-DD.
QString ExportText(const QVariant &value);

class TExportDataSet {
public:
    virtual ~TExportDataSet() = default;
    virtual bool IsOpen() const = 0;
    virtual int RecordCount() const = 0;
    virtual int FieldCount() const = 0;
    virtual QString FieldName(int field) const = 0;
    virtual TExportFieldKind FieldKind(int field) const = 0;
    virtual QVariant Value(int record, int field) const = 0;
    // The position and the bound controls of a data set stay as they are
    // while an export walks its records: these bracket the walk.
    virtual void BeginExport() {}
    virtual void EndExport() {}

    // -1 when the data set has no such field (names compare without case).
    int FieldIndex(const QString &name) const;
    // The text the field shows; empty text for null.
    virtual QString Text(int record, int field) const { return ExportText(Value(record, field)); }
};

} // namespace Orb
