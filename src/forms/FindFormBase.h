#pragma once
// What both find windows share: the field list, the operator list and the
// value inputs of the chosen field's find kind, and building one condition.

#include "components/RecordRules.h"
#include "forms/FindCondition.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QPushButton;

namespace Orb {

enum TLanguage { GB, BIG5 };

using TFindPopupWindow = std::function<void(QString &value, QString &id, QString &fieldName)>;
using TFindSelectSQL = std::function<void(QString &value, QComboBox *comboBox)>;

struct TFindSettings {
    QString Caption;
    TSqlType SqlType = urStandard;
    QColor Color = Qt::white;
    QColor ColorOnFocus = QColor(0xFF, 0xFF, 0xC0);
    QColor ColorNotOnFocus = Qt::white;
    TLanguage Language = GB;
    int FieldIndex = -1;
    int ConnectionIndex = -1;
    QString AllDataSQL;
    TFindPopupWindow PopupWindow;
    TFindSelectSQL SelectSQL;
};

class TOrbFindBase : public QDialog {
    Q_OBJECT
public:
    TOrbFindBase(const TFindSettings &settings, const QList<TFieldsData> &fields,
                 const TFindConnectNamearray &connections, bool simple, QWidget *parent);
    bool AllData() const { return m_allData; }

    QComboBox *ComboBox_Field;
    QComboBox *ComboBox_Connection;
    QLabel *Label_Value;
    QLineEdit *Edit_Value;
    QToolButton *Button_Value;
    QLabel *Label_Month;
    QLineEdit *Edit_Year;
    QLineEdit *Edit_Month;
    QComboBox *ComboBox_Value;
    QPushButton *button_ok;
    QPushButton *button_close;
    QPushButton *button_all;

protected:
    // The condition of the current inputs; shows the refusal and focuses its input.
    FindCondition buildCondition();
    const TFieldsData *currentField() const;
    QString currentSymbol() const;
    QString currentOperatorCaption() const;
    bool operatorFixed() const;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    QWidget *inputsPanel() const { return m_inputs; }
    virtual void okClick() = 0;
    const TFindSettings m_settings;
    bool m_allData = false;

private:
    void fieldChanged();
    void fillOperators(const TFieldsData *field);
    void popup();
    void valueEdited(const QString &text);
    void styleValue(const QColor &text, bool readOnly);
    QList<TFieldsData> m_fields;       // the offered entries, in list order
    TFindConnectNamearray m_connections;
    QWidget *m_inputs;
    QString m_id, m_picked;
    bool m_shownOnce = false;
};

} // namespace Orb
