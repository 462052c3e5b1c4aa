// TOrbQuery: what the record-rule arrays make the query do.
#include "components/OrbQueryUnit.h"

#include "components/QueryLink.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/Messages.h"
#include "data/OrbFun.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

namespace {

bool IsKind(const QString &kind, const char *k)
{
    return kind.toUpper() == QLatin1String(k);
}

bool IsKeyKind(const QString &kind)
{
    const QString k = kind.toUpper();
    return k == QLatin1String("T") || k == QLatin1String("C") || k == QLatin1String("Y")
           || k == QLatin1String("M") || k == QLatin1String("D");
}

QString ControlText(QObject *control)
{
    return control ? control->property("text").toString() : QString();
}

} // namespace

bool TOrbQuery::fillEntry(const TInsertData &e)
{
    const QString kind = e.Kind.toUpper();
    auto emptyValue = [&] {
        ShowWarning(e.Caption + QStringLiteral("字段需插入的值是空的"));
        return false;
    };
    if (kind == QLatin1String("A")) {
        if (e.Value.isEmpty())
            return emptyValue();
        setText(e.FieldName, e.Value);
        return true;
    }
    if (kind == QLatin1String("T")) {
        setText(e.FieldName, e.Prefix + Now().toString(QStringLiteral("yyMMddhhmmss")));
        return true;
    }
    if (kind == QLatin1String("L")) {
        if (e.Value.isEmpty())
            return emptyValue();
        setValue(e.FieldName, e.Value == QStringLiteral("是"));
        return true;
    }
    if (kind == QLatin1String("B")) {
        setText(e.FieldName, e.SourceDataSet ? e.SourceDataSet->text(e.Value) : QString());
        return true;
    }
    if (!IsKeyKind(kind))
        return true;
    if (!hasField(e.FieldName))
        return true;
    if (m_tableName.trimmed().isEmpty()) {
        ShowWarning(objectName() + QStringLiteral("必须有一个表名"));
        return false;
    }
    if (kind == QLatin1String("D") && DayValue.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("没有Day值"));
        return false;
    }
    NumberingRequest r{kind, e.FieldName, m_tableName, e.Prefix, e.Width, MonthValue, DayValue, e.Where};
    const QVariant max = GetSqlRow(NumberingSql(SqlType, r));
    const QString next = NextNumber(r, max.isNull() ? QString() : FieldText(max));
    if (next.isEmpty())
        return emptyValue();
    setText(e.FieldName, next);
    return true;
}

bool TOrbQuery::fillInsertData()
{
    if (!m_insertData)
        return true;
    for (const TInsertData &e : *m_insertData) {
        if (!hasField(e.FieldName) && !IsKeyKind(e.Kind))
            continue;
        if (!fillEntry(e)) {
            ShowError(QStringLiteral("数据插入错误"));
            return false;
        }
    }
    return true;
}

bool TOrbQuery::MakeInsertValue(int index, bool keyKindsOnly)
{
    if (!m_insertData || index < 0 || index >= m_insertData->size() || !isEditing())
        return false;
    const TInsertData &e = m_insertData->at(index);
    if (keyKindsOnly && !IsKeyKind(e.Kind))
        return true;
    return fillEntry(e);
}

bool TOrbQuery::RemakeKey(const QString &fieldName)
{
    if (!m_insertData)
        return false;
    for (int i = 0; i < m_insertData->size(); ++i)
        if (m_insertData->at(i).FieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return MakeInsertValue(i, true);
    return false;
}

void TOrbQuery::stampEdit()
{
    if (!m_editData)
        return;
    for (const TEditData &e : *m_editData)
        if (hasField(e.FieldName))
            setText(e.FieldName, e.Value);
}

void TOrbQuery::applyDisplaySettings()
{
    if (!m_fieldsData || m_fields.size() < 2)
        return;
    for (TOrbField &f : m_fields) {
        const TFieldsData *entry = nullptr;
        for (const TFieldsData &d : *m_fieldsData)
            if (d.FieldName.compare(f.name, Qt::CaseInsensitive) == 0) {
                entry = &d;
                break;
            }
        if (!entry) {
            f.visible = false;
            continue;
        }
        if (IsKind(entry->DataKind, "N") && f.tag == 0)
            f.displayWidth = 13;
        if (IsKind(entry->DataKind, "D") && f.tag == 0)
            f.displayWidth = 10;
        if (IsKind(entry->DataKind, "N"))
            f.displayFormat = QStringLiteral("0.########");
        f.displayLabel = entry->Caption;
        if (entry->Width > 0)
            f.displayWidth = entry->Width;
        f.visible = entry->Visible;
        if (entry->Width == -1) {
            f.visible = true;
            f.displayWidth = 0;
        }
    }
}

bool TOrbQuery::validate()
{
    if (!m_fieldsData)
        return true;
    for (const TFieldsData &d : *m_fieldsData) {
        const int c = fieldIndex(d.FieldName);
        if (c < 0)
            continue;
        const QString t = ValueText(m_fields[c], m_editBuffer[c]);
        QString failure;
        if (d.Required && t.isEmpty() && ControlText(d.Control).isEmpty())
            failure = d.Caption + QStringLiteral("必须有一个值");
        else if (IsKind(d.DataKind, "N") && !t.trimmed().isEmpty()) {
            QString n = t.trimmed();
            n.remove(QLatin1Char(','));
            bool ok = false;
            n.toDouble(&ok);
            if (!ok)
                failure = d.Caption + QStringLiteral("是错误的数据");
        } else if (IsKind(d.DataKind, "D") && !t.trimmed().isEmpty()) {
            TOrbField asDate = m_fields[c];
            asDate.type = FieldType::Date;
            bool ok = false;
            const QVariant date = TextValue(asDate, t, &ok);
            if (!ok)
                failure = d.Caption + QStringLiteral("是错误的数据");
            else
                m_editBuffer[c] = m_fields[c].type == FieldType::Date
                                      ? date
                                      : QVariant(date.toDate().toString(kShortDateFormat));
        }
        if (!failure.isEmpty()) {
            ShowWarning(failure);
            focusField(d.FieldName, d.Control);
            return false;
        }
    }
    return true;
}

QString TOrbQuery::checkStatement(const TCheckData &c, bool *skip) const
{
    *skip = false;
    QStringList conditions;
    for (const TCheckCondition &g : c.Conditions) {
        if (g.FieldName.isEmpty() || g.Column.isEmpty())
            continue;
        const QString fieldText = text(g.FieldName);
        if (fieldText.isEmpty() && c.SkipIfEmpty) {
            *skip = true;
            return QString();
        }
        const QString v = g.FixedValue.isEmpty() ? fieldText : g.FixedValue;
        if (IsKind(g.Kind, "N")) {
            conditions << g.Column + QLatin1Char('=') + (v.trimmed().isEmpty() ? QStringLiteral("NULL")
                                                                               : QString::number(TextToNumber(v), 'g', 15));
        } else if (IsKind(g.Kind, "D")) {
            TOrbField asDate;
            asDate.type = FieldType::Date;
            bool ok = false;
            const QVariant d = TextValue(asDate, v, &ok);
            conditions << g.Column + QLatin1Char('=')
                              + (ok ? DateLiteral(d.toDate()) : QStringLiteral("NULL"));
        } else {
            conditions << g.Column + QLatin1Char('=') + QuotedStr(v);
        }
    }
    return c.BaseSQL + conditions.join(QStringLiteral(" and ")) + c.TailSQL;
}

bool TOrbQuery::runChecks()
{
    if (!m_checkData)
        return true;
    const bool isNew = m_state == DataSetState::Insert;
    for (const TCheckData &c : *m_checkData) {
        if (c.BaseSQL.trimmed().isEmpty() || !hasField(c.FieldName))
            continue;
        bool changed = isNew;
        for (const TCheckCondition &g : c.Conditions)
            if (!g.FieldName.isEmpty() && !g.Column.isEmpty() && text(g.FieldName) != g.OldValue)
                changed = true;
        if (c.MustNotExist && !changed)
            continue;
        bool skip = false;
        QString sql = checkStatement(c, &skip);
        if (skip)
            continue;
        QVariantList row;
        bool found = false;
        auto run = [&] {
            QSqlQuery q = Database::Exec(sql);
            found = q.next();
            row.clear();
            if (found)
                for (int i = 0; i < q.record().count(); ++i)
                    row << q.value(i);
        };
        try {
            run();
            if (c.MustNotExist && found && !c.NoRemake && RemakeKey(c.FieldName)) {
                sql = checkStatement(c, &skip);
                run();
            }
        } catch (const EAbort &) {
            throw;
        } catch (const std::exception &) {
            ShowWarning(QStringLiteral("数据库操作过程发生错误"));
            return false;
        }
        const bool failed = c.MustNotExist ? found : !found;
        if (failed) {
            if (c.AskOnly) {
                if (!m_answeredChecks.contains(sql)) {
                    if (!AskYesNo(c.Message)) {
                        focusField(c.FieldName, c.Control);
                        return false;
                    }
                    m_answeredChecks.insert(sql);
                }
            } else {
                if (!c.Message.isEmpty())
                    ShowWarning(c.Message);
                focusField(c.FieldName, c.Control);
                return false;
            }
        }
        if (!c.MustNotExist && found && !c.FillFields.isEmpty()) {
            const QStringList names = c.FillFields.split(QLatin1Char(','));
            for (int i = 0; i < names.size() && i < row.size(); ++i)
                if (hasField(names[i].trimmed()))
                    setValue(names[i].trimmed(), row[i]);
        }
    }
    return true;
}

void TOrbQuery::rememberCheckValues()
{
    if (!m_checkData)
        return;
    for (TCheckData &c : *m_checkData) {
        if (c.BaseSQL.trimmed().isEmpty() || !hasField(c.FieldName))
            continue;
        for (TCheckCondition &g : c.Conditions)
            if (!g.FieldName.isEmpty() && !g.Column.isEmpty())
                g.OldValue = text(g.FieldName);
    }
}

void TOrbQuery::forgetCheckValues()
{
    if (!m_checkData)
        return;
    for (TCheckData &c : *m_checkData)
        for (TCheckCondition &g : c.Conditions)
            g.OldValue.clear();
}

} // namespace Orb
