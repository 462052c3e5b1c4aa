// TOrbQuery: fields, reading on demand, navigation and values.
#include "components/OrbQueryUnit.h"

#include "components/OrbQueryModel.h"
#include "components/QueryLink.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/Gbk.h"
#include "data/Messages.h"
#include "data/OrbFun.h"
#include "data/Schema.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

namespace {

constexpr int kFetchChunk = 256;

FieldType TypeOf(const ColumnDef &c)
{
    switch (c.kind) {
    case ColumnKind::Integer: return FieldType::Integer;
    case ColumnKind::Float: return FieldType::Float;
    case ColumnKind::Date: return FieldType::Date;
    case ColumnKind::Memo: return FieldType::Memo;
    case ColumnKind::Picture: return FieldType::Picture;
    case ColumnKind::Text: break;
    }
    return FieldType::Text;
}

// A column's kind from the table the query edits, else from any table of
// the schema with a column of that name, else from what the engine reports.
TOrbField DescribeField(const QString &name, const QString &tableName, const QSqlField &sqlField)
{
    TOrbField f;
    f.name = name.toUpper();
    f.displayLabel = f.name;
    const ColumnDef *def = nullptr;
    if (const TableDef *t = FindTable(tableName))
        def = t->column(f.name);
    if (!def) {
        for (const TableDef &t : SchemaTables())
            if ((def = t.column(f.name)))
                break;
    }
    if (def) {
        f.type = TypeOf(*def);
        f.size = def->width;
        return f;
    }
    switch (sqlField.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        f.type = FieldType::Integer;
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        f.type = FieldType::Float;
        break;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        f.type = FieldType::Date;
        break;
    case QMetaType::QByteArray:
        f.type = FieldType::Picture;
        break;
    default:
        f.type = FieldType::Text;
    }
    return f;
}

QString FloatText(double v)
{
    QString s = QString::number(v, 'f', 8);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

QDate ParseDate(const QString &text)
{
    const QString t = text.trimmed();
    for (const char *fmt : {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy-M-d", "yyyy/M/d", "MM/dd/yyyy",
                            "yyyyMMdd"}) {
        const QDate d = QDate::fromString(t, QLatin1String(fmt));
        if (d.isValid())
            return d;
    }
    if (t.size() > 10)   // a date with a time part
        return ParseDate(t.left(10));
    return QDate();
}

} // namespace

TOrbQuery::TOrbQuery(QObject *parent)
    : QObject(parent)
{
    UserName = LogonUserName;
    WorkDate = Orb::WorkDate;
    SqlType = AppSqlType;
}

TOrbQuery::~TOrbQuery()
{
    closeCursor();
}

void TOrbQuery::setTableName(const QString &name)
{
    if (name == m_tableName)
        return;
    m_tableName = name;
    SQL = QStringLiteral("SELECT  *  FROM  ") + name;
}

QString TOrbQuery::ValueText(const TOrbField &f, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    switch (f.type) {
    case FieldType::Float:
        return FloatText(v.toDouble());
    case FieldType::Integer:
        return QString::number(v.toLongLong());
    case FieldType::Date:
        return v.toDate().toString(kShortDateFormat);
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return FieldText(v);
    }
}

QVariant TOrbQuery::TextValue(const TOrbField &f, const QString &text, bool *ok)
{
    if (ok)
        *ok = true;
    const QString t = text.trimmed();
    switch (f.type) {
    case FieldType::Float:
    case FieldType::Integer: {
        if (t.isEmpty())
            return QVariant();
        QString n = t;
        n.remove(QLatin1Char(','));
        bool good = false;
        const double d = n.toDouble(&good);
        if (ok)
            *ok = good;
        if (!good)
            return text;
        return f.type == FieldType::Integer ? QVariant(qlonglong(qRound64(d))) : QVariant(d);
    }
    case FieldType::Date: {
        if (t.isEmpty())
            return QVariant();
        const QDate d = ParseDate(t);
        if (ok)
            *ok = d.isValid();
        return d.isValid() ? QVariant(d) : QVariant(text);
    }
    case FieldType::Boolean:
        return t == QStringLiteral("是") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    default:
        return text;
    }
}

void TOrbQuery::buildFields(const QSqlQuery &q)
{
    m_fields.clear();
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        m_fields << DescribeField(rec.fieldName(i), m_tableName, rec.field(i));
}

QList<QVariant> TOrbQuery::readRow(const QSqlQuery &q) const
{
    QList<QVariant> row;
    row.reserve(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i) {
        const QVariant v = q.value(i);
        const TOrbField &f = m_fields[i];
        if (v.isNull()) {
            row << (f.type == FieldType::Text || f.type == FieldType::Memo ? QVariant(QString())
                                                                            : QVariant());
            continue;
        }
        switch (f.type) {
        case FieldType::Date:
            row << (v.typeId() == QMetaType::QString ? QVariant(ParseDate(v.toString()))
                                                     : QVariant(v.toDate()));
            break;
        case FieldType::Float:
            row << QVariant(v.toDouble());
            break;
        case FieldType::Integer:
            row << QVariant(v.toLongLong());
            break;
        case FieldType::Picture:
            row << QVariant(v.toByteArray());
            break;
        default:
            row << QVariant(v.toString());
        }
    }
    return row;
}

// Reads the next rows of the result; false when the result is exhausted.
bool TOrbQuery::fetchChunk()
{
    if (m_cursor) {
        for (int i = 0; i < kFetchChunk; ++i) {
            if (!m_cursor->next()) {
                m_cursor.reset();
                return false;
            }
            m_rows << readRow(*m_cursor);
        }
        return true;
    }
    if (m_pgCursor.isEmpty())
        return false;
    QSqlQuery q = Database::Exec(QStringLiteral("FETCH FORWARD %1 FROM %2").arg(kFetchChunk).arg(m_pgCursor));
    if (m_fields.isEmpty())
        buildFields(q);
    int n = 0;
    while (q.next()) {
        m_rows << readRow(q);
        ++n;
    }
    if (n < kFetchChunk) {
        closeCursor();
        return false;
    }
    return true;
}

void TOrbQuery::fetch(int upToRow)
{
    const int before = m_rows.size();
    while (m_rows.size() <= upToRow && fetchChunk()) {
    }
    if (m_rows.size() > before)
        emit rowsAppended(before, m_rows.size() - 1);
}

// SQLite reads from the open statement; PostgreSQL from a cursor held on the
// server, so neither keeps more rows in memory than the view asked for.
void TOrbQuery::openCursor()
{
    closeCursor();
    m_fields.clear();
    if (Database::Engine() == SqlEngine::Postgres) {
        static int counter = 0;
        m_pgCursor = QStringLiteral("orb_cursor_%1").arg(++counter);
        Database::Exec(QStringLiteral("DECLARE ") + m_pgCursor
                       + QStringLiteral(" NO SCROLL CURSOR WITH HOLD FOR ") + Database::Translate(SQL));
        fetchChunk();
        return;
    }
    auto q = std::make_unique<QSqlQuery>(Database::Connection());
    q->setForwardOnly(true);
    if (!q->exec(Database::Translate(SQL)))
        Database::ThrowError(*q, SQL);
    buildFields(*q);
    m_cursor = std::move(q);
    fetchChunk();
}

void TOrbQuery::closeCursor()
{
    m_cursor.reset();
    if (!m_pgCursor.isEmpty()) {
        const QString name = m_pgCursor;
        m_pgCursor.clear();
        if (Database::IsOpen())
            ExecSql(QStringLiteral("CLOSE ") + name);
    }
}

void TOrbQuery::fetchAll()
{
    fetch(std::numeric_limits<int>::max() - 1);
}

bool TOrbQuery::IsEmpty()
{
    if (m_state == DataSetState::Insert)
        return false;
    fetch(0);
    return m_rows.isEmpty();
}

int TOrbQuery::RecordCount()
{
    fetchAll();
    return m_rows.size();
}

namespace {

// The statement without its final ORDER BY: counting and summing need no order.
QString Unordered(const QString &sql)
{
    const int at = sql.lastIndexOf(QLatin1String("ORDER BY"), -1, Qt::CaseInsensitive);
    if (at < 0 || sql.indexOf(QLatin1Char(')'), at) >= 0 || sql.indexOf(QLatin1Char('\''), at) >= 0)
        return sql;
    return sql.left(at);
}

} // namespace

qint64 TOrbQuery::TotalRecordCount()
{
    if (!Active())
        return 0;
    if (allLoaded())
        return m_rows.size();
    return qint64(GetSqlNumber(QStringLiteral("SELECT COUNT(*) FROM (") + Unordered(SQL)
                               + QStringLiteral(") ORB_COUNT")));
}

double TOrbQuery::SqlSum(const QString &field)
{
    if (!Active() || !hasField(field))
        return 0;
    if (allLoaded()) {
        const int c = fieldIndex(field);
        double sum = 0;
        for (const auto &row : m_rows)
            sum += row[c].toDouble();
        return sum;
    }
    return GetSqlNumber(QStringLiteral("SELECT SUM(") + field + QStringLiteral(") FROM (") + Unordered(SQL)
                        + QStringLiteral(") ORB_SUM"));
}

void TOrbQuery::setCurrent(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    emit currentChanged();
    scrolled();
}

void TOrbQuery::scrolled()
{
    if (!m_opening && AfterScroll)
        AfterScroll(this);
}

void TOrbQuery::First()
{
    fetch(0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
    setCurrent(m_rows.isEmpty() ? -1 : 0);
}

void TOrbQuery::Last()
{
    fetchAll();
    m_eof = true;
    m_bof = m_rows.isEmpty();
    setCurrent(m_rows.size() - 1);
}

void TOrbQuery::Next()
{
    fetch(m_current + 1);
    if (m_current + 1 >= m_rows.size()) {
        m_eof = true;
        return;
    }
    m_bof = false;
    m_eof = false;
    setCurrent(m_current + 1);
}

void TOrbQuery::Prior()
{
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    m_eof = false;
    m_bof = false;
    setCurrent(m_current - 1);
}

bool TOrbQuery::MoveTo(int row)
{
    if (row < 0)
        return false;
    fetch(row);
    if (row >= m_rows.size())
        return false;
    m_bof = row == 0;
    m_eof = false;
    setCurrent(row);
    return true;
}

bool TOrbQuery::Locate(const QString &name, const QVariant &v)
{
    const int c = fieldIndex(name);
    if (c < 0)
        return false;
    const QString wanted = ValueText(m_fields[c], v);
    for (int r = 0;; ++r) {
        fetch(r);
        if (r >= m_rows.size())
            return false;
        if (ValueText(m_fields[c], m_rows[r][c]) == wanted)
            return MoveTo(r);
    }
}

int TOrbQuery::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const TOrbField *TOrbQuery::field(const QString &name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : &m_fields[i];
}

QVariant TOrbQuery::value(const QString &name) const
{
    const int c = fieldIndex(name);
    if (c < 0)
        return QVariant();
    if (isEditing())
        return m_editBuffer.value(c);
    if (m_current < 0 || m_current >= m_rows.size())
        return QVariant();
    return m_rows[m_current][c];
}

QVariant TOrbQuery::value(int row, int column)
{
    fetch(row);
    if (isEditing() && row == m_current)
        return m_editBuffer.value(column);
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_fields.size())
        return QVariant();
    return m_rows[row][column];
}

QString TOrbQuery::text(const QString &name) const
{
    const int c = fieldIndex(name);
    return c < 0 ? QString() : ValueText(m_fields[c], value(name));
}

QString TOrbQuery::textAt(int row, int column)
{
    if (column < 0 || column >= m_fields.size())
        return QString();
    return ValueText(m_fields[column], value(row, column));
}

void TOrbQuery::setValue(const QString &name, const QVariant &v)
{
    const int c = fieldIndex(name);
    if (c < 0)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    if (!isEditing())
        throw EDatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    QVariant stored = v;
    if (v.typeId() == QMetaType::QString && m_fields[c].type != FieldType::Text
        && m_fields[c].type != FieldType::Memo)
        stored = TextValue(m_fields[c], v.toString());
    m_editBuffer[c] = stored;
    emit rowChanged(m_current);
}

void TOrbQuery::setText(const QString &name, const QString &t)
{
    setValue(name, QVariant(t));
}

void TOrbQuery::addLink(QueryLink *link)
{
    if (link && !m_links.contains(link))
        m_links << link;
}

void TOrbQuery::removeLink(QueryLink *link)
{
    m_links.removeAll(link);
}

TOrbQueryModel *TOrbQuery::model()
{
    if (!m_model)
        m_model = new TOrbQueryModel(this);
    return m_model;
}

void TOrbQuery::takeOverEvents()
{
    // The window's handlers are called from the component's own steps, after
    // its checks; nothing more to wire in this implementation.
    m_eventsTaken = true;
}

void TOrbQuery::OpenQuery()
{
    if (!m_eventsTaken)
        takeOverEvents();
    if (QyDetail)
        QyDetail->CloseQuery();
    if (!Active()) {
        for (QueryLink *l : m_links)
            l->suspend(true);
        m_opening = true;
        m_state = DataSetState::Opening;
        for (QueryLink *l : m_links)
            l->mergeSavedLayout();
        bool failed = false;
        try {
            m_rows.clear();
            m_current = -1;
            openCursor();
            m_state = DataSetState::Browse;
        } catch (const std::exception &) {
            closeCursor();
            m_rows.clear();
            m_state = DataSetState::Inactive;
            failed = true;
        }
        applyDisplaySettings();
        for (QueryLink *l : m_links)
            l->suspend(false);
        m_opening = false;
        emit rowsReset();
        emit stateChanged();
        if (failed) {
            ShowWarning(QStringLiteral("数据库操作过程发生错误"));
            Abort();
        }
        m_opening = true;
        First();
        m_opening = false;
        for (QueryLink *l : m_links)
            l->applyLayout();
        if (AfterOpen)
            AfterOpen(this);
    }
    scrolled();
}

void TOrbQuery::CloseQuery()
{
    closeCursor();
    m_rows.clear();
    m_editBuffer.clear();
    m_current = -1;
    m_state = DataSetState::Inactive;
    for (QueryLink *l : m_links)
        l->layoutClosed();
    emit rowsReset();
    emit stateChanged();
}

} // namespace Orb
