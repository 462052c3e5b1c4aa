#pragma once
// TOrbQuery: the data set of every business window. A query over one table
// with typed fields, a current row, pending changes written through the
// update templates, and the record rules on top (status guard, master and
// detail, stamps, generated keys, validation, database checks, own write path).

#include "components/RecordRules.h"
#include "data/RunTime.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class QSqlQuery;
class QAbstractTableModel;

namespace Orb {

class QueryLink;
class TOrbQueryModel;

enum class FieldType { Text, Integer, Float, Date, Memo, Picture, Boolean };

struct TOrbField {
    QString name;               // upper case
    FieldType type = FieldType::Text;
    int size = 0;               // GBK bytes of a text field
    QString displayLabel;
    int displayWidth = 0;       // characters
    QString displayFormat;
    bool visible = true;
    int tag = 0;
    bool isNumber() const { return type == FieldType::Integer || type == FieldType::Float; }
};

enum class DataSetState { Inactive, Opening, Browse, Edit, Insert };

class TOrbQuery : public QObject {
    Q_OBJECT
public:
    explicit TOrbQuery(QObject *parent = nullptr);
    ~TOrbQuery() override;

    // --- SQL and table -------------------------------------------------------
    QString SQL;
    QString tableName() const { return m_tableName; }
    void setTableName(const QString &name);
    // The three update templates; when empty the query derives them from the
    // table's key in the schema.
    QString InsertSQL;
    QString ModifySQL;
    QString DeleteSQL;

    // --- published properties -------------------------------------------------
    QString ActiveControl;
    TSqlType SqlType = urStandard;
    bool ActiveStatus = false;
    void addStatusEditValue(const QString &status) { m_editValues << status; }
    void addStatusEditEndValue(const QString &status) { m_editEndValues << status; }
    TOrbQuery *QyMaster = nullptr;
    TOrbQuery *QyDetail = nullptr;
    QString KeyValue;
    QString DetailTable;
    QString DetailDError;
    QString StatusMsg;
    bool UpDateTable = false;
    bool NotEdit = false;

    // --- public values and one-shot flags ---------------------------------------
    QString UserName;
    QString WorkDate;
    QString MonthValue;
    QString DayValue;
    bool InnerChange = false;
    bool NoDeleteAsk = false;
    bool LocalPost = false;
    bool OwnSQL = false;
    bool InsertIfLost = false;
    bool Saved = false;
    QString LSQLEND;

    // --- events the window may assign (run after the component's checks) -------
    std::function<void(TOrbQuery *)> BeforeInsert;
    std::function<void(TOrbQuery *)> BeforeEdit;
    std::function<void(TOrbQuery *)> BeforePost;
    std::function<void(TOrbQuery *)> AfterOpen;
    std::function<void(TOrbQuery *)> AfterScroll;
    std::function<void(TOrbQuery *)> OnUpdateError;

    // --- record rules -------------------------------------------------------------
    void SetFieldsData(TFieldsDataArray a) { m_fieldsData = std::move(a); }
    void SetInsertData(TInsertDataArray a) { m_insertData = std::move(a); }
    void SetEditData(TEditDataArray a) { m_editData = std::move(a); }
    void SetCheckData(TCheckDataArray a) { m_checkData = std::move(a); }
    TFieldsDataArray FieldsData() const { return m_fieldsData; }
    TInsertDataArray InsertData() const { return m_insertData; }
    TCheckDataArray CheckData() const { return m_checkData; }

    // --- operations -----------------------------------------------------------
    void OpenQuery();
    void CloseQuery();
    void AppendRecord();
    void EditRecord();
    void SaveRecord();
    void CancelRecord();
    void DeleteRecord();
    void SetRecordStatus(const QString &status);
    bool MakeInsertValue(int index, bool keyKindsOnly);
    bool RemakeKey(const QString &fieldName);

    // --- state and navigation -------------------------------------------------------
    DataSetState state() const { return m_state; }
    bool Active() const { return m_state != DataSetState::Inactive && m_state != DataSetState::Opening; }
    bool isEditing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }
    bool IsEmpty();
    // Rows read so far (the query reads on as navigation and the grid need).
    int loadedCount() const { return m_rows.size(); }
    bool allLoaded() const { return !m_cursor && m_pgCursor.isEmpty(); }
    // All rows: reads the rest of the result.
    int RecordCount();
    // The number of rows the SQL selects, counted by the database.
    qint64 TotalRecordCount();
    // The sum of a column over what the SQL selects, computed by the database,
    // corrected by the changes not yet stored (none: the query writes at once).
    double SqlSum(const QString &field);
    int RecNo() const { return m_current; }   // 0-based; -1 when empty
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    void First();
    void Last();
    void Next();
    void Prior();
    bool MoveTo(int row);
    bool Locate(const QString &field, const QVariant &value);
    using Bookmark = int;
    Bookmark GetBookmark() const { return m_current; }
    void GotoBookmark(Bookmark b) { MoveTo(b); }

    // --- fields ----------------------------------------------------------------------
    const QList<TOrbField> &fields() const { return m_fields; }
    QList<TOrbField> &fields() { return m_fields; }
    int fieldIndex(const QString &name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    const TOrbField *field(const QString &name) const;
    QVariant value(const QString &name) const;
    QVariant value(int row, int column);
    QString text(const QString &name) const;
    QString textAt(int row, int column);
    // Sets a field of the current record; only while editing or inserting.
    void setValue(const QString &name, const QVariant &value);
    void setText(const QString &name, const QString &text);
    // The text of a value the way the record rules read it.
    static QString ValueText(const TOrbField &f, const QVariant &v);
    static QVariant TextValue(const TOrbField &f, const QString &text, bool *ok = nullptr);

    // --- coupling ------------------------------------------------------------------
    void addLink(QueryLink *link);
    void removeLink(QueryLink *link);
    TOrbQueryModel *model();

    // Builds the key condition from the modify template and PriorValues.
    QString BuildLSQLEND();
    QStringList PriorValues;

signals:
    void stateChanged();
    void currentChanged();
    void rowsReset();
    void rowsAppended(int first, int last);
    void rowChanged(int row);
    void rowRemoved(int row);

private:
    friend class TOrbQueryModel;
    struct RecordRulesRun;

    // reading
    void fetch(int upToRow);
    void fetchAll();
    QList<QVariant> readRow(const QSqlQuery &q) const;
    void buildFields(const QSqlQuery &q);
    void setCurrent(int row);
    void scrolled();

    // writing
    bool ownWrite(bool isNew);
    void postInMemory(bool isNew);
    void applyTemplates(bool isNew);
    void deleteDetailRows(const QString &masterKey);
    void ownDelete();
    QString templateFor(const QString &which) const;
    QString defaultTemplate(const QString &which) const;
    void bindTemplate(QSqlQuery &q, const QString &tmpl, const QList<QVariant> &values,
                      const QList<QVariant> &oldValues, QStringList *names) const;
    QString execTemplate(const QString &tmpl, const QList<QVariant> &values,
                         const QList<QVariant> &oldValues);

    // status guard
    bool statusRefused(const QString &status, bool *byEndList) const;
    QString statusText() const;
    void checkAppend();
    void checkEdit();
    void checkDelete();

    // record rules
    bool fillInsertData();
    bool fillEntry(const TInsertData &e);
    void stampEdit();
    void applyDisplaySettings();
    bool validate();
    bool runChecks();
    void rememberCheckValues();
    void forgetCheckValues();
    QString checkStatement(const TCheckData &c, bool *skip) const;
    void focusField(const QString &name, QObject *control);

    void notifyEditingLock();
    void setActiveColor(bool on);
    void refreshFootersKeepingRow();
    void cancelInternal();
    void takeOverEvents();

    QString m_tableName;
    QStringList m_editValues;
    QStringList m_editEndValues;
    TFieldsDataArray m_fieldsData;
    TInsertDataArray m_insertData;
    TEditDataArray m_editData;
    TCheckDataArray m_checkData;
    QSet<QString> m_answeredChecks;

    DataSetState m_state = DataSetState::Inactive;
    QList<TOrbField> m_fields;
    QList<QList<QVariant>> m_rows;
    QList<QVariant> m_editBuffer;     // the record being edited or inserted
    QList<QVariant> m_oldValues;      // the stored row when editing began
    int m_current = -1;
    int m_insertAt = -1;
    bool m_eof = true;
    bool m_bof = true;
    bool m_opening = false;
    bool m_beforePostDone = false;
    bool m_eventsTaken = false;
    std::unique_ptr<QSqlQuery> m_cursor;   // SQLite: the open statement
    QString m_pgCursor;                    // PostgreSQL: a server-side cursor
    void openCursor();
    void closeCursor();
    bool fetchChunk();
    QList<QueryLink *> m_links;
    TOrbQueryModel *m_model = nullptr;
};

} // namespace Orb
