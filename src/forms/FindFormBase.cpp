#include "forms/FindFormBase.h"

#include "data/DateForm.h"
#include "data/DialogRunner.h"
#include "data/ErrorTranslation.h"
#include "data/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace Orb {

namespace {

bool KindIn(const QString &kind, std::initializer_list<const char *> kinds)
{
    for (const char *k : kinds)
        if (kind == QLatin1String(k))
            return true;
    return false;
}

bool PopupKind(const QString &k)
{
    return KindIn(k, {"DT", "LDT", "DS", "DSF", "ES", "ESB", "ELS", "BS", "LBS", "BT", "BF"});
}

bool DateKind(const QString &k) { return KindIn(k, {"D", "DLS"}); }
bool ListKind(const QString &k) { return KindIn(k, {"B", "BLS", "S"}); }

bool Offered(const TFieldsData &f, bool simple)
{
    const QString k = f.FindKind.toUpper();
    if (k.isEmpty())
        return false;
    return !simple || !KindIn(k, {"LT", "LDT", "LBS", "ESB", "BT"});
}

QPushButton *Button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TOrbFindBase::TOrbFindBase(const TFindSettings &settings, const QList<TFieldsData> &fields,
                           const TFindConnectNamearray &connections, bool simple,
                           QWidget *parent)
    : QDialog(parent), m_settings(settings), m_connections(connections)
{
    for (const TFieldsData &f : fields)
        if (Offered(f, simple))
            m_fields.append(f);
    setWindowTitle(settings.Caption + QStringLiteral("查找窗口"));
    QFont font(settings.Language == BIG5 ? QStringLiteral("新細明體") : QStringLiteral("宋体"),
               settings.Language == BIG5 ? 11 : 9);
    setFont(font);

    m_inputs = new QWidget(this);
    ComboBox_Field = new QComboBox(m_inputs);
    ComboBox_Field->setObjectName(QStringLiteral("ComboBox_Field"));
    ComboBox_Connection = new QComboBox(m_inputs);
    ComboBox_Connection->setObjectName(QStringLiteral("ComboBox_Connection"));
    Label_Value = new QLabel(QStringLiteral("查找值"), m_inputs);
    Edit_Value = new QLineEdit(m_inputs);
    Edit_Value->setObjectName(QStringLiteral("Edit_Value"));
    Button_Value = new QToolButton(m_inputs);
    Button_Value->setObjectName(QStringLiteral("Button_Value"));
    Button_Value->setText(QStringLiteral("…"));
    Edit_Year = new QLineEdit(m_inputs);
    Edit_Year->setObjectName(QStringLiteral("Edit_Year"));
    Edit_Year->setMaxLength(4);
    Label_Month = new QLabel(QStringLiteral("查找月份"), m_inputs);
    Edit_Month = new QLineEdit(m_inputs);
    Edit_Month->setObjectName(QStringLiteral("Edit_Month"));
    Edit_Month->setMaxLength(2);
    for (QLineEdit *e : {Edit_Year, Edit_Month})
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
    ComboBox_Value = new QComboBox(m_inputs);
    ComboBox_Value->setObjectName(QStringLiteral("ComboBox_Value"));

    auto *grid = new QGridLayout(m_inputs);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("查找字段"), m_inputs), 0, 0);
    grid->addWidget(ComboBox_Field, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("查找关系"), m_inputs), 1, 0);
    grid->addWidget(ComboBox_Connection, 1, 1, 1, 3);
    grid->addWidget(Label_Value, 2, 0);
    grid->addWidget(Edit_Value, 2, 1, 1, 2);
    grid->addWidget(Button_Value, 2, 3);
    grid->addWidget(Edit_Year, 2, 1, 1, 3);
    grid->addWidget(ComboBox_Value, 2, 1, 1, 3);
    grid->addWidget(Label_Month, 3, 0);
    grid->addWidget(Edit_Month, 3, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    button_ok = Button(this, "button_ok", QStringLiteral("确定[F3]"));
    button_close = Button(this, "button_close", QStringLiteral("关闭[F12]"));
    button_all = Button(this, "button_all", QStringLiteral("全部数据"));
    button_all->setVisible(!settings.AllDataSQL.isEmpty());

    connect(ComboBox_Field, &QComboBox::currentIndexChanged, this,
            [this] { Guarded([this] { fieldChanged(); }); });
    connect(Button_Value, &QToolButton::clicked, this, [this] { Guarded([this] { popup(); }); });
    connect(Edit_Value, &QLineEdit::textEdited, this, &TOrbFindBase::valueEdited);
    connect(button_ok, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
    connect(button_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(button_all, &QPushButton::clicked, this, [this] {
        m_allData = true;
        accept();
    });
}

void TOrbFindBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        QSignalBlocker block(ComboBox_Field);
        for (const TFieldsData &f : m_fields)
            ComboBox_Field->addItem(f.FindKind.toUpper() == QLatin1String("Y")
                                            && !f.FindValues.isEmpty()
                                        ? f.FindValues
                                        : f.Caption);
        ComboBox_Field->setCurrentIndex(-1);
    }
    QPalette p = palette();
    p.setColor(QPalette::Base, m_settings.Color);
    for (QWidget *w : {static_cast<QWidget *>(Edit_Value), static_cast<QWidget *>(Edit_Year),
                       static_cast<QWidget *>(Edit_Month)})
        w->setPalette(p);
    if (m_settings.FieldIndex >= 0 && m_settings.FieldIndex < ComboBox_Field->count())
        ComboBox_Field->setCurrentIndex(m_settings.FieldIndex);
    if (m_settings.ConnectionIndex >= 0
        && m_settings.ConnectionIndex < ComboBox_Connection->count())
        ComboBox_Connection->setCurrentIndex(m_settings.ConnectionIndex);
    if (ComboBox_Field->currentIndex() < 0)
        fieldChanged();
    ComboBox_Field->setFocus();
}

const TFieldsData *TOrbFindBase::currentField() const
{
    const int i = ComboBox_Field->currentIndex();
    return i >= 0 && i < m_fields.size() ? &m_fields[i] : nullptr;
}

QString TOrbFindBase::currentSymbol() const
{
    return ComboBox_Connection->currentIndex() < 0
               ? QString()
               : ComboBox_Connection->currentData().toString();
}

QString TOrbFindBase::currentOperatorCaption() const
{
    return ComboBox_Connection->currentText();
}

bool TOrbFindBase::operatorFixed() const
{
    const TFieldsData *f = currentField();
    return f && FindKindFixedOperator(f->FindKind);
}

void TOrbFindBase::fillOperators(const TFieldsData *field)
{
    ComboBox_Connection->clear();
    ComboBox_Connection->setEnabled(true);
    const bool noLike = field && FindKindWithoutLike(field->FindKind, field->DataKind);
    for (const TFindConnectTypeName &c : m_connections) {
        if (noLike && c.Symbol.compare(QLatin1String("Like"), Qt::CaseInsensitive) == 0)
            continue;
        ComboBox_Connection->addItem(c.Caption, c.Symbol);
    }
    ComboBox_Connection->setCurrentIndex(-1);
    if (!field)
        return;
    const bool fixed = FindKindFixedOperator(field->FindKind);
    const QString kind = field->FindKind.toUpper();
    if (fixed || kind == QLatin1String("BF"))
        ComboBox_Connection->setCurrentIndex(ComboBox_Connection->findData(QStringLiteral("=")));
    ComboBox_Connection->setEnabled(!fixed);
}

void TOrbFindBase::styleValue(const QColor &text, bool readOnly)
{
    QPalette p = Edit_Value->palette();
    p.setColor(QPalette::Text, text);
    Edit_Value->setPalette(p);
    Edit_Value->setReadOnly(readOnly);
}

void TOrbFindBase::fieldChanged()
{
    Edit_Value->clear();
    Edit_Year->clear();
    Edit_Month->clear();
    ComboBox_Value->clear();
    m_id.clear();
    m_picked.clear();
    Edit_Value->setValidator(nullptr);
    Edit_Value->setAttribute(Qt::WA_InputMethodEnabled, true);
    const TFieldsData *f = currentField();
    const QString k = f ? f->FindKind.toUpper() : QString();
    fillOperators(f);
    const bool year = k == QLatin1String("Y");
    const bool list = ListKind(k);
    Label_Value->setText(year ? QStringLiteral("查找年份") : QStringLiteral("查找值"));
    Edit_Value->setVisible(!year && !list);
    Button_Value->setVisible(PopupKind(k) || DateKind(k));
    Edit_Year->setVisible(year);
    Label_Month->setVisible(year);
    Edit_Month->setVisible(year);
    ComboBox_Value->setVisible(list);

    styleValue(Qt::black, false);
    if (KindIn(k, {"ES", "ELS"}))
        styleValue(Qt::red, false);
    else if (KindIn(k, {"ESB", "BS", "LBS", "BF"}))
        styleValue(Qt::blue, true);
    if (DateKind(k) || (f && f->DataKind.toUpper() == QLatin1String("N")
                        && KindIn(k, {"T", "LS", "LT"}))) {
        Edit_Value->setAttribute(Qt::WA_InputMethodEnabled, false);
        if (!DateKind(k))
            Edit_Value->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[-+]?[0-9,]*(\\.[0-9]*)?")), Edit_Value));
    }
    if (KindIn(k, {"B", "BLS"}))
        ComboBox_Value->addItems(f->FindValues.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    else if (k == QLatin1String("S") && m_settings.SelectSQL) {
        QString name = f->FieldName;
        m_settings.SelectSQL(name, ComboBox_Value);
    }
}

void TOrbFindBase::popup()
{
    const TFieldsData *f = currentField();
    if (!f)
        return;
    const QString k = f->FindKind.toUpper();
    if (DateKind(k)) {
        TDateForm form(this);
        const QDate typed = QDate::fromString(Edit_Value->text(), QStringLiteral("yyyy-MM-dd"));
        form.setDate(typed.isValid() ? typed : QDate::currentDate());
        if (RunModal(&form) == QDialog::Accepted)
            Edit_Value->setText(form.date().toString(QStringLiteral("yyyy-MM-dd")));
        return;
    }
    if (!PopupKind(k) || !m_settings.PopupWindow)
        return;
    QString value = Edit_Value->text(), id, fieldName = f->FieldName;
    m_settings.PopupWindow(value, id, fieldName);
    if (!id.isEmpty()) {
        Edit_Value->setText(value);
        m_id = id;
        m_picked = value;
    }
}

void TOrbFindBase::valueEdited(const QString &text)
{
    const QString cleaned = CleanFindText(text);
    if (cleaned != text)
        Edit_Value->setText(cleaned);
}

FindCondition TOrbFindBase::buildCondition()
{
    const TFieldsData *f = currentField();
    FindValues in;
    const QString k = f ? f->FindKind.toUpper() : QString();
    in.value = ListKind(k) ? ComboBox_Value->currentText() : Edit_Value->text();
    in.year = Edit_Year->text();
    in.month = Edit_Month->text();
    in.id = m_id;
    in.pickedValue = m_picked;
    FindCondition c = BuildFindCondition(m_settings.SqlType, f, currentSymbol(), in);
    if (!c.ok()) {
        QWidget *focus = ComboBox_Field;
        if (c.focus == FindCondition::Operator)
            focus = ComboBox_Connection;
        else if (c.focus == FindCondition::Year)
            focus = Edit_Year;
        else if (c.focus == FindCondition::Month)
            focus = Edit_Month;
        else if (c.focus == FindCondition::Value)
            focus = ListKind(k) ? static_cast<QWidget *>(ComboBox_Value) : Edit_Value;
        focus->setFocus();
        ShowWarningOn(this, c.error);
    }
    return c;
}

void TOrbFindBase::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F3:
        button_ok->click();
        return;
    case Qt::Key_F12:
        button_close->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QWidget *w = focusWidget();
        if (auto *b = qobject_cast<QPushButton *>(w)) {
            b->click();
        } else if (w == Edit_Value && currentField()
                   && PopupKind(currentField()->FindKind.toUpper())) {
            Guarded([this] { popup(); });
        } else {
            focusNextChild();
        }
        return;
    }
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace Orb
