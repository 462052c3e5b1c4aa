#include "data/DateForm.h"

#include "data/DialogRunner.h"
#include "data/OrbFun.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orb {

TDateForm::TDateForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DateForm"));
    setWindowTitle(QStringLiteral("日期选择窗口"));
    auto *layout = new QVBoxLayout(this);

    auto *steps = new QHBoxLayout;
    const struct {
        const char *name, *text;
        int months;
    } buttons[] = {{"button_prior_year", "<<", -12}, {"button_prior_month", "<", -1},
                   {"button_next_month", ">", 1}, {"button_next_year", ">>", 12}};
    TitleLabel = new QLabel(this);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    TitleLabel->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 4; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(buttons[i].text), this);
        b->setObjectName(QString::fromLatin1(buttons[i].name));
        b->setAutoDefault(false);
        const int months = buttons[i].months;
        connect(b, &QPushButton::clicked, this, [this, months] { step(months); });
        steps->addWidget(b);
        if (i == 1)
            steps->addWidget(TitleLabel, 1);
    }
    layout->addLayout(steps);

    Calendar = new QCalendarWidget(this);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->setNavigationBarVisible(false);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    layout->addWidget(Calendar);
    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TDateForm::updateTitle);
    connect(Calendar, &QCalendarWidget::activated, this, &QDialog::accept);

    auto *row = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    ok->setObjectName(QStringLiteral("button_ok"));
    auto *close = new QPushButton(QStringLiteral("关闭[F4]"), this);
    close->setObjectName(QStringLiteral("button_close"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(close);
    layout->addLayout(row);
    updateTitle();
}

void TDateForm::setDate(const QDate &date)
{
    Calendar->setSelectedDate(date);
    updateTitle();
}

QDate TDateForm::date() const
{
    return QDate::fromString(TitleLabel->text(), QStringLiteral("yyyy-MM-dd"));
}

void TDateForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F3) {
        accept();
        return;
    }
    if (event->key() == Qt::Key_F4) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TDateForm::showEvent(QShowEvent *event)
{
    updateTitle();
    QDialog::showEvent(event);
}

void TDateForm::step(int months)
{
    Calendar->setSelectedDate(Calendar->selectedDate().addMonths(months));
    Calendar->setCurrentPage(Calendar->selectedDate().year(), Calendar->selectedDate().month());
    updateTitle();
}

void TDateForm::updateTitle()
{
    TitleLabel->setText(Calendar->selectedDate().toString(QStringLiteral("yyyy-MM-dd")));
}

namespace {

QDate ParseDateText(QString text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        text = text.left(colon);
    text = text.trimmed();
    // A time part before the colon ("2008-12-31 10") goes too.
    const int space = text.indexOf(QLatin1Char(' '));
    if (space > 0)
        text = text.left(space);
    for (const char *fmt : {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy-M-d", "yyyy/M/d", "MM/dd/yyyy"}) {
        const QDate d = QDate::fromString(text, QLatin1String(fmt));
        if (d.isValid())
            return d;
    }
    return QDate();
}

} // namespace

QString PickDate(const QString &dateText, const QString &defaultText)
{
    TDateForm form;
    QDate start = ParseDateText(dateText.isEmpty() ? defaultText : dateText);
    form.setDate(start.isValid() ? start : Today());
    if (RunModal(&form) != QDialog::Accepted)
        return QString();
    return form.date().toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace Orb
