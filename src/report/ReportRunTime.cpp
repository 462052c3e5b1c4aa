#include "report/ReportRunTime.h"

#include "data/FloatFormat.h"
#include "report/ReportDataSet.h"
#include "report/ReportStream.h"

#include "data/CapitalAmount.h"
#include "data/Messages.h"
#include "data/RunTime.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QWidget>

namespace Orb {

namespace {

const QChar kFunctionMark(0x60);
const QString kCapitalFormat = QStringLiteral("大写金额");

QString WithoutBlanks(QString text)
{
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\t'));
    return text;
}

} // namespace

TReportRunTime::TReportRunTime(QObject *owner) : QObject(owner) {}

TReportRunTime::~TReportRunTime() = default;

bool TReportRunTime::SetReportFile(const QString &fileName)
{
    m_reportFile = fileName;
    m_templateBytes.clear();
    m_template.clear();
    ClearPages();
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        m_templateBytes = file.readAll();
    const StreamResult result = LoadReportStream(m_template, m_templateBytes);
    if (result != StreamResult::Ok) {
        m_templateBytes.clear();
        ShowWarning(result == StreamResult::BadVersion ? QStringLiteral("打开报表错误")
                                                        : QStringLiteral("格式不正确..."));
        return false;
    }
    preprocess();
    return true;
}

void TReportRunTime::SetPrintFields(const TPrintFieldsArray &fields)
{
    m_printFields = fields;
    if (!m_templateBytes.isEmpty()) {
        LoadReportStream(m_template, m_templateBytes);
        preprocess();
    }
}

void TReportRunTime::preprocess()
{
    for (TReportLine *line : m_template.lines) {
        for (TReportCell *cell : line->cells)
            cell->text = preprocessText(cell->text);
    }
    m_template.layout();
}

// {caption} and [caption] become "@" / "#" references through the print
// fields; <name> becomes a function text. Unknown captions stay literal.
QString TReportRunTime::preprocessText(const QString &text) const
{
    if (text.isEmpty())
        return text;
    const QChar open = text.front();
    QChar close;
    if (open == QLatin1Char('{'))
        close = QLatin1Char('}');
    else if (open == QLatin1Char('['))
        close = QLatin1Char(']');
    else if (open == QLatin1Char('<'))
        close = QLatin1Char('>');
    else
        return text;
    const int end = text.indexOf(close, 1);
    if (end < 0)
        return text;
    const QString inner = text.mid(1, end - 1);
    if (open == QLatin1Char('<'))
        return kFunctionMark + inner;
    const bool master = open == QLatin1Char('{');
    for (const TPrintField &field : m_printFields) {
        if (field.caption == inner && (master ? field.master : field.detail))
            return (master ? QStringLiteral("@") : QStringLiteral("#")) + field.dataSetName
                   + QLatin1Char('.') + field.fieldName;
    }
    return text;
}

void TReportRunTime::RegisterDataSet(const QString &name, TReportDataSet *dataSet)
{
    const QString key = name.toUpper();
    for (auto &entry : m_dataSets) {
        if (entry.first == key) {
            entry.second = dataSet;
            return;
        }
    }
    m_dataSets.append({key, dataSet});
}

void TReportRunTime::SetVariable(const QString &name, const QString &value)
{
    m_variables.insert(name.toUpper(), value);
}

TReportDataSet *TReportRunTime::dataSetNamed(const QString &name) const
{
    const QString key = name.toUpper();
    for (const auto &entry : m_dataSets) {
        if (entry.first == key && entry.second)
            return entry.second;
    }
    return m_defaultDataSet;
}

QPair<TReportDataSet *, int> TReportRunTime::resolveReference(const QString &text) const
{
    const QString reference = WithoutBlanks(text.mid(1));
    const int dot = reference.indexOf(QLatin1Char('.'));
    const QString name = dot < 0 ? QString() : reference.left(dot);
    const QString field = dot < 0 ? reference : reference.mid(dot + 1);
    TReportDataSet *data = dataSetNamed(name);
    if (!data)
        return {nullptr, -1};
    return {data, data->FieldIndex(field)};
}

// The commands name a form and a component, or a component of the owner.
void TReportRunTime::RunSetData()
{
    if (!m_dataSets.isEmpty())
        return;
    for (const QString &command : SetData) {
        const int open = command.indexOf(QLatin1Char('('));
        const int comma = command.indexOf(QLatin1Char(','), open + 1);
        const int close = command.indexOf(QLatin1Char(')'), comma + 1);
        if (open < 0 || comma < 0 || close < 0
            || command.left(open).trimmed().toUpper() != QLatin1String("SETDATASET"))
            continue;
        const QString name = command.mid(open + 1, comma - open - 1).trimmed();
        const QString path = command.mid(comma + 1, close - comma - 1).trimmed();
        TReportDataSet *data = nullptr;
        const int dot = path.indexOf(QLatin1Char('.'));
        if (dot >= 0 && qobject_cast<QApplication *>(QCoreApplication::instance())) {
            for (QWidget *form : QApplication::topLevelWidgets()) {
                if (form->objectName() == path.left(dot))
                    data = form->findChild<TReportDataSet *>(path.mid(dot + 1));
            }
        } else if (dot < 0 && parent()) {
            data = parent()->findChild<TReportDataSet *>(path);
        }
        if (!data)
            continue;
        if (!data->IsActive())
            data->Open();
        RegisterDataSet(name, data);
    }
}

void TReportRunTime::DisableControls()
{
    for (const auto &entry : m_dataSets) {
        if (entry.second)
            entry.second->DisableControls();
    }
}

void TReportRunTime::EnableControls()
{
    for (const auto &entry : m_dataSets) {
        if (entry.second)
            entry.second->EnableControls();
    }
}

// --- filling cells ------------------------------------------------------------

QString TReportRunTime::fieldText(TReportDataSet *data, int field, const TReportCell &source,
                                  TReportCell &target) const
{
    const QVariant value = data->Value(field);
    switch (data->Kind(field)) {
    case FieldKind::Number:
        if (!source.displayFormat.isEmpty() && !value.isNull() && value.isValid()) {
            const double number = value.toDouble();
            if (source.displayFormat == kCapitalFormat)
                return CapitalAmount(QString::number(number, 'f', 6));
            return FormatFloat(source.displayFormat, number);
        }
        return data->DisplayText(field);
    case FieldKind::Picture: {
        const QByteArray bytes = value.toByteArray();
        if (bytes.startsWith("BM")) {
            target.picture = bytes;
            if (!target.image().isNull())
                return {};
        }
        target.setImage(QImage::fromData(bytes));
        return {};
    }
    case FieldKind::Text:
        break;
    }
    return data->DisplayText(field);
}

QString TReportRunTime::functionValue(const QString &name) const
{
    const QString upper = name.toUpper();
    const QDateTime now = Now();
    if (upper == QLatin1String("DATE"))
        return now.date().toString(QStringLiteral("yyyy-MM-dd"));
    if (upper == QLatin1String("TIME"))
        return now.time().toString(QStringLiteral("HH:mm:ss"));
    if (upper == QLatin1String("DATETIME"))
        return now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return m_variables.value(upper);
}

// counter: the row number for a 序号 cell of a detail row, empty elsewhere.
void TReportRunTime::fillCell(const TReportCell &source, TReportCell &target,
                              const QString &counter)
{
    target.copyContentFrom(source);
    const QString &text = source.text;
    if (text.startsWith(QLatin1Char('@')) || text.startsWith(QLatin1Char('#'))) {
        const auto [data, field] = resolveReference(text);
        target.text = (data && field >= 0 && !data->Eof())
                          ? fieldText(data, field, source, target)
                          : QString();
        return;
    }
    if (!text.startsWith(kFunctionMark))
        return;
    const QString name = text.mid(1);
    const QString upper = name.toUpper();
    if (name == QStringLiteral("序号") && !counter.isNull()) {
        target.text = counter;
    } else if (upper.startsWith(QLatin1String("PAGENUM"))
               || upper.startsWith(QLatin1String("SUM("))
               || upper.startsWith(QLatin1String("SUMPAGE("))) {
        // Resolved when the page is stored.
    } else {
        target.text = functionValue(name);
    }
}

} // namespace Orb
