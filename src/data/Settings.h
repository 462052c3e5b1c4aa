#pragma once
// Database-wide settings (rows of SYS_ID_TABLE), the workstation settings
// (QSettings under ORBSOFTWARE, the former registry key) and the work date.

#include <QString>

namespace Orb {

// --- SYS_ID_TABLE ------------------------------------------------------------
QString ReadSetting(const QString &name);
bool IsSettingOn(const QString &name);
// Updates or inserts the row; on failure warns "参数保存过程发生错误".
bool WriteSetting(const QString &name, const QString &value);
// NumberingMode from "分类编号", 1 when missing.
int ReadNumberingMode();

// --- workstation settings -----------------------------------------------------
// Value names: "OrbCashierImes", "OrbCashierColor", "OrbCashierData", "OrbBank".
void WriteRegistryText(const QString &valueName, const QString &text);
QString ReadRegistryText(const QString &valueName);
// The value when it converts to an integer, else empty text.
QString ReadRegistryInteger(const QString &valueName);
// The settings file used instead of the default one (tests); empty: default.
void SetRegistryFile(const QString &path);
QString RegistryFile();

// --- work date ------------------------------------------------------------------
// WorkDate := today ("YYYY-MM-DD"): the server's date on PostgreSQL, else local.
void RefreshWorkDate();

} // namespace Orb
