#pragma once
// The data module: checks the database link at creation and connects the one
// connection OrbCashierDataBase.

#include "data/Database.h"

namespace Orb {

inline const QString kMissingLinkText = QStringLiteral(
    "1.没有找到软件设置的数据库连接参数，如果操作系统是Window7 或 以上的操作系统，用鼠标右键点桌面软件图标，"
    "在弹出的菜单里点属性，点兼容方式，把 以管理员身份运行此软件 打勾,然后重新打开软件。\n\r"
    "2.如果打勾后还提示此信息，或者是XP操作系统提示此信息，就要重新安装软件，如果有录入的数据，"
    "不要卸载和删除以前装的软件，换个盘重新安装，不要覆盖以前的软件，安装好后用最新的数据备份恢复数据");

class TDM {
public:
    // Reads the link; when it is missing shows the installation help text
    // and sets the terminate flag.
    TDM();
    ~TDM();
    bool Terminate() const { return m_terminate; }
    const LinkConfig &Link() const { return m_link; }
    // Connects the database; throws on failure.
    void Connect();

private:
    LinkConfig m_link;
    bool m_terminate = false;
};

} // namespace Orb
