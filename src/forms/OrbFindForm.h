#pragma once
// The find window of several conditions joined by "and" or "or", and the
// component that shows it.

#include "forms/FindFormBase.h"

#include <QStringList>

class QListWidget;
class QRadioButton;

namespace Orb {

class TOrbFindForm : public TOrbFindBase {
    Q_OBJECT
public:
    TOrbFindForm(const TFindSettings &settings, const QList<TFieldsData> &fields,
                 const TFindConnectNamearray &connections, QWidget *parent = nullptr);
    QStringList conditions() const { return m_conditions; }
    QStringList descriptions() const { return m_descriptions; }

    QRadioButton *RadioButton_And;
    QRadioButton *RadioButton_Or;
    QListWidget *ListBox_Conditions;
    QPushButton *button_add;
    QPushButton *button_clear;

protected:
    void okClick() override;

private:
    void addClick();
    void clearClick();
    QStringList m_conditions;
    QStringList m_descriptions;
};

class TFindFormDialog : public QObject {
    Q_OBJECT
public:
    explicit TFindFormDialog(QObject *parent = nullptr);
    TFindSettings Settings;
    void SetFieldsData(const QList<TFieldsData> &fields) { m_fields = fields; }
    void SetConnections(const TFindConnectNamearray &c) { m_connections = c; }
    void Clear();
    bool Execute(QWidget *parent = nullptr);
    bool AllData() const { return m_allData; }
    // The first without a joining word, the others starting " and " or " or ".
    QStringList Conditions() const { return m_conditions; }
    void Description(QString &text) const { text = m_descriptions.join(QString()); }

private:
    QList<TFieldsData> m_fields;
    TFindConnectNamearray m_connections;
    QStringList m_conditions, m_descriptions;
    bool m_allData = false;
};

} // namespace Orb
