// TOrbQuery: the operations windows call, the status guard and the own write path.
#include "components/OrbQueryUnit.h"

#include "components/QueryLink.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/Messages.h"
#include "data/OrbFun.h"
#include "data/Schema.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

namespace {

const QString kOpen = QStringLiteral("“");
const QString kClose = QStringLiteral("”");

bool IsOneOf(const QString &s, const QStringList &list)
{
    return list.contains(s);
}

} // namespace

// --- status guard ------------------------------------------------------------

QString TOrbQuery::statusText() const
{
    return text(QStringLiteral("STATUS"));
}

// Whether the lists refuse the status; byEndList tells which list decided.
bool TOrbQuery::statusRefused(const QString &status, bool *byEndList) const
{
    if (status.trimmed().isEmpty())
        return false;
    if (!m_editEndValues.isEmpty()) {
        *byEndList = true;
        return IsOneOf(status, m_editEndValues);
    }
    *byEndList = false;
    return !m_editValues.isEmpty() && !IsOneOf(status, m_editValues);
}

void TOrbQuery::checkAppend()
{
    if (!QyMaster)
        return;
    if (QyMaster->IsEmpty()) {
        ShowWarning(QStringLiteral("主数据库页面没有数据纪录，从数据页面不能有新的纪录"));
        Abort();
    }
    if (!QyMaster->ActiveStatus)
        return;
    const QString s = QyMaster->statusText();
    bool endList = false;
    if (!QyMaster->statusRefused(s, &endList))
        return;
    const QString &m = QyMaster->StatusMsg;
    if (endList)
        ShowWarning(m.isEmpty() ? QStringLiteral("主档纪录状态为：  ") + kOpen + s + kClose
                                      + QStringLiteral("  的从档不能增加新记录")
                                : m + QStringLiteral("的状态是 ") + kOpen + s + kClose
                                      + QStringLiteral(" , 不能增加新的记录"));
    else
        ShowWarning(m.isEmpty() ? QStringLiteral("主档纪录状态为： ") + kOpen + QLatin1Char(' ') + s
                                      + QLatin1Char(' ') + kClose + QStringLiteral("的从档不能增加新记录")
                                : m + QStringLiteral("的状态是 ") + kOpen + QLatin1Char(' ') + s
                                      + QLatin1Char(' ') + kClose + QStringLiteral(" , 不能增加新的记录"));
    Abort();
}

void TOrbQuery::checkEdit()
{
    bool endList = false;
    if (ActiveStatus) {
        const QString s = statusText();
        if (statusRefused(s, &endList)) {
            ShowWarning(QStringLiteral("状态为： ") + kOpen + QLatin1Char(' ') + s + QLatin1Char(' ')
                        + kClose + QStringLiteral("  的记录不能编辑"));
            Abort();
        }
    }
    if (QyMaster && QyMaster->ActiveStatus) {
        const QString s = QyMaster->statusText();
        if (QyMaster->statusRefused(s, &endList)) {
            const QString &m = QyMaster->StatusMsg;
            if (endList)
                ShowWarning(m.isEmpty() ? QStringLiteral("主档纪录状态为：  ") + kOpen + s + kClose
                                              + QStringLiteral("  的记录不能编辑")
                                        : m + QStringLiteral("的状态是 ") + kOpen + s + kClose
                                              + QStringLiteral(" , 不能修改记录"));
            else
                ShowWarning(m.isEmpty() ? QStringLiteral("主档纪录状态为： ") + kOpen + QLatin1Char(' ')
                                              + s + QLatin1Char(' ') + kClose
                                              + QStringLiteral("的记录不能编辑")
                                        : m + QStringLiteral("的状态是 ") + kOpen + QLatin1Char(' ')
                                              + s + QLatin1Char(' ') + kClose
                                              + QStringLiteral(" , 不能修改记录"));
            Abort();
        }
    }
}

void TOrbQuery::checkDelete()
{
    bool endList = false;
    if (ActiveStatus && !LocalPost && !InnerChange) {
        const QString s = statusText();
        if (statusRefused(s, &endList)) {
            ShowWarning((endList ? QStringLiteral("状态为：  ") : QStringLiteral("状态为： ")) + kOpen
                        + QLatin1Char(' ') + s + QLatin1Char(' ') + kClose
                        + QStringLiteral("   的记录不能删除"));
            Abort();
        }
    }
    if (QyMaster && QyMaster->ActiveStatus) {
        const QString s = QyMaster->statusText();
        if (QyMaster->statusRefused(s, &endList)) {
            const QString &m = QyMaster->StatusMsg;
            ShowWarning(m.isEmpty() ? QStringLiteral("主档纪录状态为： ") + kOpen + QLatin1Char(' ') + s
                                          + QLatin1Char(' ') + kClose + QStringLiteral("   的记录不能删除")
                                    : m + QStringLiteral("的状态是 ") + kOpen + QLatin1Char(' ') + s
                                          + QLatin1Char(' ') + kClose
                                          + QStringLiteral(" , 该记录不能删除"));
            Abort();
        }
    }
}

// --- coupling helpers -----------------------------------------------------------

void TOrbQuery::notifyEditingLock()
{
    for (QueryLink *l : m_links)
        l->setEditingLock(isEditing());
}

void TOrbQuery::setActiveColor(bool on)
{
    for (QueryLink *l : m_links)
        l->setActiveColor(on);
}

void TOrbQuery::refreshFootersKeepingRow()
{
    if (isEditing())
        return;
    const Bookmark b = GetBookmark();
    const bool opening = m_opening;
    m_opening = true;   // the window's AfterScroll stays quiet meanwhile
    for (QueryLink *l : m_links)
        l->refreshFooters();
    if (b >= 0 && b < m_rows.size())
        m_current = b;
    m_opening = opening;
}

void TOrbQuery::focusField(const QString &name, QObject *control)
{
    for (QueryLink *l : m_links)
        if (l->focusField(name, control))
            return;
}

// --- append, edit ------------------------------------------------------------------

void TOrbQuery::AppendRecord()
{
    if (!Active())
        Abort();
    if (InnerChange)
        setActiveColor(false);
    checkAppend();
    if (!InnerChange && !ActiveControl.isEmpty())
        for (QueryLink *l : m_links)
            if (l->focusControl(ActiveControl, false))
                break;
    if (BeforeInsert)
        BeforeInsert(this);

    fetch(m_rows.size());
    m_editBuffer.clear();
    for (const TOrbField &f : m_fields)
        m_editBuffer << (f.type == FieldType::Text || f.type == FieldType::Memo ? QVariant(QString())
                                                                                : QVariant());
    m_oldValues = m_editBuffer;
    PriorValues.clear();
    m_insertAt = m_rows.size();
    m_rows << m_editBuffer;
    m_state = DataSetState::Insert;
    emit rowsAppended(m_insertAt, m_insertAt);
    m_current = m_insertAt;
    emit stateChanged();
    emit currentChanged();

    forgetCheckValues();
    notifyEditingLock();
    bool filled = false;
    try {
        filled = fillInsertData();
    } catch (...) {
        if (isEditing())
            CancelRecord();
        throw;
    }
    if (!filled) {
        if (isEditing())
            CancelRecord();
        Abort();
    }
    emit rowChanged(m_current);
}

void TOrbQuery::EditRecord()
{
    if (!Active() || IsEmpty() || m_current < 0)
        Abort();
    if (isEditing())
        return;
    if (InnerChange)
        setActiveColor(false);
    if (!InnerChange) {
        checkEdit();
        if (!ActiveControl.isEmpty())
            for (QueryLink *l : m_links)
                if (l->focusControl(ActiveControl, false))
                    break;
    }
    m_editBuffer = m_rows[m_current];
    m_oldValues = m_editBuffer;
    m_state = DataSetState::Edit;
    emit stateChanged();
    rememberCheckValues();
    if (BeforeEdit)
        BeforeEdit(this);
    if (!InnerChange)
        notifyEditingLock();
    PriorValues.clear();
    for (int i = 0; i < m_fields.size(); ++i)
        PriorValues << ValueText(m_fields[i], m_oldValues[i]);
    if (NotEdit)
        NotEdit = false;
    else
        stampEdit();
    if (!InnerChange && !ActiveControl.isEmpty())
        for (QueryLink *l : m_links)
            if (l->focusControl(ActiveControl, true))
                break;
}

// --- save -----------------------------------------------------------------------------

void TOrbQuery::postInMemory(bool isNew)
{
    Q_UNUSED(isNew);
    m_rows[m_current] = m_editBuffer;
    m_state = DataSetState::Browse;
    m_insertAt = -1;
    Saved = true;
    emit rowChanged(m_current);
    emit stateChanged();
}

void TOrbQuery::SaveRecord()
{
    if (!isEditing())
        Abort();
    Saved = false;
    if (InnerChange)
        setActiveColor(false);
    if (!InnerChange) {
        if (!validate() || !runChecks()) {
            m_answeredChecks.clear();
            Abort();
        }
    }
    const bool isNew = m_state == DataSetState::Insert;
    LSQLEND = BuildLSQLEND();

    const bool standard = SqlType == urStandard;
    if (LocalPost) {
        postInMemory(isNew);
    } else if ((standard || OwnSQL) && !m_tableName.isEmpty() && !LSQLEND.isEmpty()) {
        if (!ownWrite(isNew)) {
            m_answeredChecks.clear();
            if (InnerChange && isEditing() && m_state == DataSetState::Edit && !Saved)
                ; // stays for the caller, who cancels an internal change
            Abort();
        }
        postInMemory(isNew);
    } else if (!standard && OwnSQL) {
        ShowWarning(QStringLiteral("没有TableName或LSQLEND"));
        Abort();
    } else {
        applyTemplates(isNew);
        postInMemory(isNew);
    }
    notifyEditingLock();
    setActiveColor(true);
    refreshFootersKeepingRow();
    InnerChange = false;
    LocalPost = false;
    m_answeredChecks.clear();
}

QString TOrbQuery::defaultTemplate(const QString &which) const
{
    const TableDef *t = FindTable(m_tableName);
    QStringList columns;
    for (const TOrbField &f : m_fields)
        if (!t || t->column(f.name))
            columns << f.name;
    QStringList key = t ? t->primaryKey : QStringList();
    if (key.isEmpty())
        key = columns;
    QStringList where;
    for (const QString &k : key)
        if (hasField(k))
            where << k + QStringLiteral(" = :OLD_") + k;
    const QString whereText = where.isEmpty() ? QString()
                                              : QStringLiteral("\nwhere ") + where.join(QStringLiteral(" and "));
    if (which == QLatin1String("insert")) {
        QStringList params;
        for (const QString &c : columns)
            params << QLatin1Char(':') + c;
        return QStringLiteral("insert into ") + m_tableName + QStringLiteral("\n(")
               + columns.join(QLatin1Char(',')) + QStringLiteral(")\nvalues\n(")
               + params.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    if (which == QLatin1String("modify")) {
        QStringList sets;
        for (const QString &c : columns)
            sets << c + QStringLiteral(" = :") + c;
        return QStringLiteral("update ") + m_tableName + QStringLiteral("\nset\n")
               + sets.join(QStringLiteral(",\n")) + whereText;
    }
    return QStringLiteral("delete from ") + m_tableName + whereText;
}

QString TOrbQuery::templateFor(const QString &which) const
{
    QString t = which == QLatin1String("insert")   ? InsertSQL
                : which == QLatin1String("modify") ? ModifySQL
                                                   : DeleteSQL;
    if (t.trimmed().isEmpty())
        return defaultTemplate(which);
    if (UpDateTable) {
        QStringList lines = t.split(QLatin1Char('\n'));
        if (which == QLatin1String("insert") && lines[0].contains(QLatin1String("insert into")))
            lines[0] = lines[0].left(12) + m_tableName + QLatin1Char(' ');
        else if (which == QLatin1String("modify") && lines[0].contains(QLatin1String("update")))
            lines[0] = lines[0].left(7) + m_tableName + QLatin1Char(' ');
        t = lines.join(QLatin1Char('\n'));
    }
    return t;
}

// Binds :NAME to the new value of the field NAME and :OLD_NAME to its old one.
void TOrbQuery::bindTemplate(QSqlQuery &q, const QString &tmpl, const QList<QVariant> &values,
                             const QList<QVariant> &oldValues, QStringList *names) const
{
    Q_UNUSED(tmpl);
    const bool sqlite = Database::Engine() == SqlEngine::Sqlite;
    for (const QString &name : *names) {
        const bool old = name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
        const QString fieldName = old ? name.mid(4) : name;
        const int c = fieldIndex(fieldName);
        QVariant v = c < 0 ? QVariant() : (old ? oldValues.value(c) : values.value(c));
        if (c >= 0) {
            const TOrbField &f = m_fields[c];
            if (v.typeId() == QMetaType::QString && f.type != FieldType::Text
                && f.type != FieldType::Memo)
                v = TextValue(f, v.toString());
            if (f.type == FieldType::Date && v.typeId() == QMetaType::QDate)
                v = sqlite ? QVariant(v.toDate().toString(kShortDateFormat)) : v;
            if (!v.isValid()) {
                switch (f.type) {
                case FieldType::Float: v = QVariant(QMetaType::fromType<double>()); break;
                case FieldType::Integer: v = QVariant(QMetaType::fromType<qlonglong>()); break;
                case FieldType::Date:
                    v = sqlite ? QVariant(QMetaType::fromType<QString>())
                               : QVariant(QMetaType::fromType<QDate>());
                    break;
                default: v = QVariant(QMetaType::fromType<QString>());
                }
            }
        }
        q.addBindValue(v);
    }
}

// Runs a template with its parameters bound; returns the SQL it ran.
QString TOrbQuery::execTemplate(const QString &tmpl, const QList<QVariant> &values,
                                const QList<QVariant> &oldValues)
{
    // Parameters become positional placeholders; text in quotes is left alone.
    static const QRegularExpression param(QStringLiteral("('(?:[^']|'')*')|:([A-Za-z_][A-Za-z0-9_]*)"));
    QStringList names;
    QString sql;
    int last = 0;
    auto it = param.globalMatch(tmpl);
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.capturedLength(2) == 0)
            continue;
        sql += tmpl.mid(last, m.capturedStart() - last) + QLatin1Char('?');
        names << m.captured(2);
        last = m.capturedEnd();
    }
    sql += tmpl.mid(last);
    QSqlQuery q(Database::Connection());
    if (!q.prepare(sql))
        Database::ThrowError(q, tmpl);
    bindTemplate(q, tmpl, values, oldValues, &names);
    if (!q.exec())
        Database::ThrowError(q, tmpl);
    return sql;
}

void TOrbQuery::applyTemplates(bool isNew)
{
    try {
        Transaction t;
        execTemplate(templateFor(isNew ? QStringLiteral("insert") : QStringLiteral("modify")),
                     m_editBuffer, m_oldValues);
        t.commit();
    } catch (const std::exception &e) {
        if (OnUpdateError)
            OnUpdateError(this);
        throw;
    }
}

bool TOrbQuery::ownWrite(bool isNew)
{
    if (BeforePost && !m_beforePostDone)
        BeforePost(this);
    m_beforePostDone = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_beforePostDone};

    const QString select = QStringLiteral("SELECT * FROM ") + m_tableName + QStringLiteral("  WHERE ")
                           + LSQLEND;
    try {
        Transaction t;
        QSqlQuery found = Database::Exec(select);
        QList<QVariant> stored;
        bool exists = found.next();
        if (exists) {
            const QSqlRecord rec = found.record();
            for (const TOrbField &f : m_fields) {
                const int i = rec.indexOf(f.name);
                stored << (i < 0 ? QVariant() : found.value(i));
            }
        }
        found.finish();
        bool insert = isNew;
        if (!isNew && !exists) {
            if (!InsertIfLost) {
                ShowWarning(QStringLiteral("该记录已被其它用户删除或在其它窗口被删除"));
                if (InnerChange)
                    cancelInternal();
                return false;
            }
            InsertIfLost = false;
            insert = true;
        }
        if (insert && isNew)
            InsertIfLost = false;
        if (insert)
            execTemplate(templateFor(QStringLiteral("insert")), m_editBuffer, m_oldValues);
        else
            execTemplate(templateFor(QStringLiteral("modify")), m_editBuffer,
                         m_oldValues);
        if (isNew) {
            const QString check = QStringLiteral("SELECT * FROM ") + m_tableName
                                  + QStringLiteral("  WHERE ") + BuildLSQLEND();
            QSqlQuery again = Database::Exec(check);
            if (!again.next()) {
                ShowWarning(QStringLiteral("数据保存过程发生错误,可能数据库索引已损坏，请先修复损坏的数据库索引"));
                return false;
            }
        }
        t.commit();
        return true;
    } catch (const EAbort &) {
        throw;
    } catch (const std::exception &) {
        if (OnUpdateError)
            OnUpdateError(this);
        ShowWarning(QStringLiteral("数据保存过程发生错误"));
        return false;
    }
}

QString TOrbQuery::BuildLSQLEND()
{
    QString modify = templateFor(QStringLiteral("modify"));
    modify = modify.split(QLatin1Char('\n')).join(QLatin1Char(' ')).toUpper();
    const int where = modify.indexOf(QLatin1String(" WHERE "));
    if (where < 0)
        return QString();
    const QString chain = modify.mid(where + 7);
    static const QRegularExpression joiner(QStringLiteral("\\s+(AND|OR)\\s+"));
    QStringList out;
    const bool usePrior = m_state != DataSetState::Insert && !PriorValues.isEmpty();
    for (const QString &part : chain.split(joiner, Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        QString name = part.mid(eq + 1).trimmed();
        if (name.startsWith(QLatin1Char(':')))
            name = name.mid(1);
        if (name.startsWith(QLatin1String("OLD_")))
            name = name.mid(4);
        const int c = fieldIndex(name);
        if (c < 0)
            name = part.left(eq).trimmed();
        const int fi = fieldIndex(name);
        QString valueText;
        if (fi >= 0)
            valueText = usePrior && fi < PriorValues.size()
                            ? PriorValues[fi]
                            : ValueText(m_fields[fi], m_editBuffer.isEmpty() ? value(name)
                                                                             : m_editBuffer[fi]);
        QString literal;
        const FieldType type = fi >= 0 ? m_fields[fi].type : FieldType::Text;
        if (type == FieldType::Integer || type == FieldType::Float || type == FieldType::Boolean)
            literal = valueText.isEmpty() ? QStringLiteral("NULL") : valueText;
        else if (type == FieldType::Date) {
            bool ok = false;
            const QVariant d = TextValue(m_fields[fi], valueText, &ok);
            literal = ok && d.typeId() == QMetaType::QDate ? DateLiteral(d.toDate())
                                                           : QStringLiteral("NULL");
        } else
            literal = QuotedStr(valueText);
        out << part.left(eq + 1) + literal;
    }
    return out.join(QStringLiteral(" AND "));
}

// --- cancel ----------------------------------------------------------------------------

void TOrbQuery::cancelInternal()
{
    if (m_state == DataSetState::Insert && m_insertAt >= 0 && m_insertAt < m_rows.size()) {
        m_rows.removeAt(m_insertAt);
        emit rowRemoved(m_insertAt);
        m_current = qMin(m_current, m_rows.size() - 1);
    }
    m_insertAt = -1;
    m_editBuffer.clear();
    if (isEditing()) {
        m_state = DataSetState::Browse;
        emit stateChanged();
        emit currentChanged();
    }
    if (m_current >= 0)
        emit rowChanged(m_current);
}

void TOrbQuery::CancelRecord()
{
    cancelInternal();
    notifyEditingLock();
    setActiveColor(true);
    refreshFootersKeepingRow();
    InnerChange = false;
    LocalPost = false;
}

// --- delete ------------------------------------------------------------------------------

void TOrbQuery::deleteDetailRows(const QString &masterKey)
{
    if (DetailTable.isEmpty())
        return;
    if (QyDetail)
        QyDetail->CloseQuery();
    if (KeyValue.isEmpty()) {
        ShowWarning(QStringLiteral("没有KeyValue 属性"));
        Abort();
    }
    try {
        ExecSqlOrThrow(QStringLiteral("DELETE FROM ") + DetailTable + QStringLiteral(" WHERE ") + KeyValue
                       + QStringLiteral(" = ") + QuotedStr(masterKey));
    } catch (const std::exception &) {
        ShowWarning(DetailDError + QStringLiteral("删除过程发生错误"));
        Abort();
    }
}

void TOrbQuery::DeleteRecord()
{
    Saved = false;
    if (!Active() || IsEmpty() || m_current < 0 || isEditing())
        Abort();
    checkDelete();
    if (!NoDeleteAsk && !AskYesNo(QStringLiteral("请确认是否删除")))
        Abort();
    NoDeleteAsk = false;
    PriorValues.clear();
    for (int i = 0; i < m_fields.size(); ++i)
        PriorValues << ValueText(m_fields[i], m_rows[m_current][i]);
    m_editBuffer.clear();
    LSQLEND = BuildLSQLEND();
    const QString masterKey = KeyValue.isEmpty() ? QString() : text(KeyValue);

    const bool standard = SqlType == urStandard;
    if (LocalPost) {
        deleteDetailRows(masterKey);
    } else if ((standard || OwnSQL) && !m_tableName.isEmpty() && !LSQLEND.isEmpty()) {
        // The detail rows and the row go together or not at all.
        try {
            Transaction t;
            deleteDetailRows(masterKey);
            ExecSqlOrThrow(QStringLiteral("DELETE FROM ") + m_tableName + QStringLiteral("  WHERE ")
                           + LSQLEND);
            t.commit();
        } catch (const EAbort &) {
            throw;
        } catch (const std::exception &) {
            ShowWarning(QStringLiteral("数据删除过程发生错误"));
            Abort();
        }
    } else if (!standard && OwnSQL) {
        ShowWarning(QStringLiteral("没有TableName或LSQLEND"));
        Abort();
    } else {
        Transaction t;
        deleteDetailRows(masterKey);
        m_oldValues = m_rows[m_current];
        execTemplate(templateFor(QStringLiteral("delete")), m_oldValues, m_oldValues);
        t.commit();
    }
    const int row = m_current;
    m_rows.removeAt(row);
    emit rowRemoved(row);
    m_current = -1;
    if (!MoveTo(qMin(row, loadedCount() - 1)))
        setCurrent(-1);
    notifyEditingLock();
    setActiveColor(true);
    refreshFootersKeepingRow();
    InnerChange = false;
    LocalPost = false;
    Saved = true;
}

// --- verify --------------------------------------------------------------------------------

void TOrbQuery::SetRecordStatus(const QString &status)
{
    if (!Active() || IsEmpty())
        return;
    InnerChange = true;
    try {
        EditRecord();
        setValue(QStringLiteral("STATUS"), status);
        if (hasField(QStringLiteral("VERIFY_NAME")))
            setValue(QStringLiteral("VERIFY_NAME"), UserName);
        if (hasField(QStringLiteral("VERIFY_DATE")))
            setValue(QStringLiteral("VERIFY_DATE"), WorkDate);
        SaveRecord();
    } catch (...) {
        InnerChange = false;
        if (isEditing())
            CancelRecord();
        throw;
    }
    InnerChange = false;
    if (isEditing())
        CancelRecord();
}

} // namespace Orb
