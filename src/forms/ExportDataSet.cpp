#include "forms/ExportDataSet.h"

#include <QDate>
#include <QDateTime>

namespace Orb {

TExportFieldKind ExportKindOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Int:
    case QMetaType::UInt: case QMetaType::Long: case QMetaType::ULong:
    case QMetaType::LongLong: case QMetaType::ULongLong: case QMetaType::Char:
    case QMetaType::SChar: case QMetaType::UChar:
        return TExportFieldKind::Integer;
    case QMetaType::Float: case QMetaType::Double:
        return TExportFieldKind::Float;
    case QMetaType::QByteArray:
        return TExportFieldKind::Blob;
    default:
        return TExportFieldKind::Text;
    }
}

QString ExportText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::Double: case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

int TExportDataSet::FieldIndex(const QString &name) const
{
    for (int i = 0; i < FieldCount(); ++i) {
        if (FieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace Orb
