#pragma once
// The one-condition find window and the component that shows it.

#include "forms/FindFormBase.h"

namespace Orb {

class TOrbFindSimpleForm : public TOrbFindBase {
    Q_OBJECT
public:
    TOrbFindSimpleForm(const TFindSettings &settings, const QList<TFieldsData> &fields,
                       const TFindConnectNamearray &connections, QWidget *parent = nullptr);
    QString condition() const { return m_condition; }

protected:
    void okClick() override;

private:
    QString m_condition;
};

class TFindSimpleFormDialog : public QObject {
    Q_OBJECT
public:
    explicit TFindSimpleFormDialog(QObject *parent = nullptr);
    TFindSettings Settings;     // Caption, SqlType, colours, indexes, events, AllDataSQL
    void SetFieldsData(const QList<TFieldsData> &fields) { m_fields = fields; }
    void SetConnections(const TFindConnectNamearray &c) { m_connections = c; }
    bool Execute(QWidget *parent = nullptr);
    void Condition(QString &text) const { text = m_condition; }
    bool AllData() const { return m_allData; }

private:
    QList<TFieldsData> m_fields;
    TFindConnectNamearray m_connections;
    QString m_condition;
    bool m_allData = false;
};

} // namespace Orb
