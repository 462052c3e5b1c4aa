#pragma once
// TOrbTreeView: a hierarchy stored as rows with a code and a parent code
// (money types, departments, fund accounts) shown as a tree with one root.
// Children are read only when a node is first expanded; a node that has
// children in the database gets the placeholder child "temp" so it shows an
// expand button before they are read. The window supplies the two look-up
// templates with SetTreeSQL; each node keeps its code and name (TTreeData).
//
//   tree->RootID = "G001"; tree->RootName = "借贷科目";
//   tree->SetTreeSQL(0, "SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME FROM T WHERE PRIOR_ID = ",
//                    0, "", "C", "ORDER BY ORDER_ID");
//   tree->SetTreeSQL(1, "SELECT COUNT(*) FROM T WHERE PRIOR_ID = ", 0, "", "C", "");
//   tree->Hook(); tree->BuildRoot();

#include "components/TreeSql.h"

#include <QColor>
#include <QList>
#include <QPair>
#include <QTreeWidget>
#include <functional>

namespace Orb {

// One record per node; all records of a tree form a doubly linked list,
// newest first, owned by the tree.
struct TTreeData {
    TTreeData *Prior = nullptr;
    TTreeData *Next = nullptr;
    QString Code;
    QString Name;
};

class TOrbTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TOrbTreeView(QWidget *parent = nullptr);
    ~TOrbTreeView() override;

    QString DataBaseName = QStringLiteral("OrbCashierDataBase");
    QColor SelectColor = QColor(0, 0x80, 0xC0);   // $00C08000
    bool SetColor = false;      // the next selection change skips OnChange
    QString RootID;
    QString RootName;
    bool ImageIndexIsLevel = false;
    // Images by index (0 node with children, 1 expanded, 2 leaf; or by level).
    QList<QIcon> Images;
    // Children template with sql "A": the children come from this list of
    // (name, code) pairs instead of the database.
    QList<QPair<QString, QString>> MemoryItems;

    std::function<void(TOrbTreeView *, QTreeWidgetItem *)> OnExpanding;
    std::function<void(TOrbTreeView *, QTreeWidgetItem *)> OnChange;
    std::function<void(TOrbTreeView *, QTreeWidgetItem *, QPainter *, const QRect &)>
        OnCustomDrawItem;

    // which 0: children template (sql, digits, suffix, kind, tail);
    // which 1: count template (sql, kind, tail; kind "A": every node may have children).
    void SetTreeSQL(int which, const QString &sql, int digits, const QString &suffix,
                    const QString &kind, const QString &tail);
    const TTreeTemplate &childrenTemplate() const { return m_children; }
    const TTreeTemplate &countTemplate() const { return m_count; }

    // Takes over expanding, selection change and drawing; the window's
    // handlers above are called from inside.
    void Hook();
    QTreeWidgetItem *BuildRoot();
    // Adds a node under the parent, unless the parent still holds its
    // placeholder (the child will be read when it is expanded). Returns the node.
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, const QString &name, const QString &code);
    // Refused with "请先删除该节点的子节点" when the node has children and
    // withChildren is false. Returns true when deleted.
    bool DeleteNode(QTreeWidgetItem *node, bool withChildren);
    QString NodeCode(const QTreeWidgetItem *node) const;
    QString NodeName(const QTreeWidgetItem *node) const;
    void SetNodeName(QTreeWidgetItem *node, const QString &name);
    void RenameByCode(const QString &code, const QString &caption);
    void ClearTree();

    TTreeData *nodeData(const QTreeWidgetItem *node) const;
    bool hasPlaceholder(const QTreeWidgetItem *node) const;
    int recordCount() const;
    // Expands the node and reads its children when they were not read yet.
    void loadChildren(QTreeWidgetItem *node);

private:
    QTreeWidgetItem *addItem(QTreeWidgetItem *parent, const QString &caption,
                             const QString &code, const QString &name);
    void addPlaceholderIfNeeded(QTreeWidgetItem *node);
    void setImages(QTreeWidgetItem *node);
    void setImage(QTreeWidgetItem *node, int index);
    void freeRecords(QTreeWidgetItem *node);
    void unlink(TTreeData *d);
    void expanded(QTreeWidgetItem *node);
    void selectionChanged(QTreeWidgetItem *current);

    TTreeTemplate m_children;
    TTreeTemplate m_count;
    TTreeData *m_first = nullptr;
    bool m_hooked = false;
};

} // namespace Orb
