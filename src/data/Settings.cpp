#include "data/Settings.h"

#include "data/Database.h"
#include "data/OrbFun.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace Orb {

QString ReadSetting(const QString &name)
{
    return GetSqlText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = ")
                      + QuotedStr(name));
}

bool IsSettingOn(const QString &name)
{
    return ReadSetting(name) == QStringLiteral("是");
}

bool WriteSetting(const QString &name, const QString &value)
{
    bool ok = false;
    try {
        const double count = GetSqlNumber(
            QStringLiteral("SELECT COUNT(AUTO_ID) FROM SYS_ID_TABLE WHERE NAME_ID = ")
            + QuotedStr(name));
        if (count >= 1)
            ok = ExecSql(QStringLiteral("UPDATE SYS_ID_TABLE SET AUTO_ID = %1  WHERE NAME_ID = %2")
                             .arg(QuotedStr(value), QuotedStr(name)));
        else
            ok = ExecSql(QStringLiteral("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES(%1,%2)")
                             .arg(QuotedStr(name), QuotedStr(value)));
    } catch (const std::exception &) {
        ok = false;
    }
    if (!ok)
        ShowWarningOn(nullptr, QStringLiteral("参数保存过程发生错误"));
    return ok;
}

int ReadNumberingMode()
{
    const QString text = ReadSetting(QStringLiteral("分类编号"));
    NumberingMode = text.isEmpty() ? 1 : qRound(TextToNumber(text));
    return NumberingMode;
}

namespace {

QString g_registryFile;

QString DefaultRegistryFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/ORBSOFTWARE/ORBSOFTWARE.conf");
}

// The former key SOFTWARE\ORBSOFTWARE; fails like a key that cannot be opened.
bool OpenKey(QSettings **out)
{
    const QString file = RegistryFile();
    QDir().mkpath(QFileInfo(file).absolutePath());
    auto *s = new QSettings(file, QSettings::IniFormat);
    if (s->status() != QSettings::NoError || !s->isWritable()) {
        delete s;
        ShowWarningOn(nullptr, QStringLiteral("注册表打开错误"));
        return false;
    }
    *out = s;
    return true;
}

} // namespace

void SetRegistryFile(const QString &path)
{
    g_registryFile = path;
}

QString RegistryFile()
{
    return g_registryFile.isEmpty() ? DefaultRegistryFile() : g_registryFile;
}

void WriteRegistryText(const QString &valueName, const QString &text)
{
    QSettings *s = nullptr;
    if (!OpenKey(&s))
        return;
    s->setValue(valueName, text);
    s->sync();
    delete s;
}

QString ReadRegistryText(const QString &valueName)
{
    QSettings *s = nullptr;
    if (!OpenKey(&s))
        return QString();
    const QString value = s->value(valueName).toString();
    delete s;
    return value;
}

QString ReadRegistryInteger(const QString &valueName)
{
    const QString text = ReadRegistryText(valueName);
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok ? text.trimmed() : QString();
}

void RefreshWorkDate()
{
    QDate date;
    if (!ClockIsFixed() && Database::IsOpen() && Database::Engine() == SqlEngine::Postgres) {
        try {
            date = QDate::fromString(GetSqlText(QStringLiteral("SELECT CURRENT_DATE AS GDATE")),
                                     QStringLiteral("yyyy-MM-dd"));
        } catch (const std::exception &) {
        }
    }
    if (!date.isValid())
        date = Today();
    WorkDate = date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace Orb
