#pragma once
// What the report run-time needs of a data set: a cursor over records and
// typed field values. TMemoryDataSet keeps rows in memory; a query is read
// into one by FromQuery.

#include <QObject>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

namespace Orb {

enum class FieldKind { Text, Number, Picture };

class TReportDataSet : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool IsActive() const = 0;
    virtual void Open() = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
    virtual bool Eof() const = 0;
    virtual int FieldCount() const = 0;
    virtual QString FieldName(int field) const = 0;
    virtual FieldKind Kind(int field) const = 0;
    // The value in the current record; invalid past the end.
    virtual QVariant Value(int field) const = 0;
    // The text the field shows (its own display format applied).
    virtual QString DisplayText(int field) const;
    // Bound controls are detached while a report runs over the data set.
    virtual void DisableControls() {}
    virtual void EnableControls() {}

    // Field position by name, compared without case; -1 when there is none.
    int FieldIndex(const QString &name) const;
};

class TMemoryDataSet : public TReportDataSet {
    Q_OBJECT
public:
    struct Field {
        QString name;
        FieldKind kind = FieldKind::Text;
    };

    explicit TMemoryDataSet(QObject *parent = nullptr) : TReportDataSet(parent) {}
    TMemoryDataSet(const QList<Field> &fields, const QList<QVariantList> &rows,
                   QObject *parent = nullptr);

    // All rows of an active query; numeric and blob columns typed from the values.
    static TMemoryDataSet *FromQuery(QSqlQuery &query, QObject *parent = nullptr);

    void AppendRow(const QVariantList &row) { m_rows.append(row); }
    int RecordCount() const { return int(m_rows.size()); }
    int RecNo() const { return m_position; }

    bool IsActive() const override { return m_active; }
    void Open() override;
    void Close() { m_active = false; }
    void First() override { m_position = 0; }
    void Next() override;
    void Prior() override;
    bool Eof() const override { return !m_active || m_position >= m_rows.size(); }
    int FieldCount() const override { return int(m_fields.size()); }
    QString FieldName(int field) const override;
    FieldKind Kind(int field) const override;
    QVariant Value(int field) const override;
    void DisableControls() override { ++m_disabled; }
    void EnableControls() override { m_disabled = qMax(0, m_disabled - 1); }
    bool ControlsDisabled() const { return m_disabled > 0; }

private:
    QList<Field> m_fields;
    QList<QVariantList> m_rows;
    int m_position = 0;
    int m_disabled = 0;
    bool m_active = true;
};

} // namespace Orb
