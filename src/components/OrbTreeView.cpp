#include "components/OrbTreeView.h"

#include "data/ErrorTranslation.h"
#include "data/OrbFun.h"

#include <QPainter>
#include <QSqlQuery>
#include <QStyledItemDelegate>

namespace Orb {

namespace {

constexpr int DataRole = Qt::UserRole + 1;
constexpr int PlaceholderRole = Qt::UserRole + 2;
constexpr int ImageRole = Qt::UserRole + 3;
const QString kPlaceholder = QStringLiteral("temp");

class SelectDelegate : public QStyledItemDelegate {
public:
    explicit SelectDelegate(TOrbTreeView *tree) : QStyledItemDelegate(tree), m_tree(tree) {}
    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem o(option);
        if (o.state & QStyle::State_Selected) {
            o.palette.setColor(QPalette::Highlight, m_tree->SelectColor);
            o.palette.setColor(QPalette::HighlightedText, Qt::white);
        }
        QStyledItemDelegate::paint(p, o, index);
        if (m_tree->OnCustomDrawItem)
            m_tree->OnCustomDrawItem(m_tree, m_tree->itemFromIndex(index), p, option.rect);
    }

private:
    TOrbTreeView *m_tree;
};

int Level(const QTreeWidgetItem *node)
{
    int level = 0;
    for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++level;
    return level;
}

} // namespace

TOrbTreeView::TOrbTreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setItemDelegate(new SelectDelegate(this));
}

TOrbTreeView::~TOrbTreeView()
{
    ClearTree();
}

void TOrbTreeView::SetTreeSQL(int which, const QString &sql, int digits, const QString &suffix,
                              const QString &kind, const QString &tail)
{
    TTreeTemplate &t = which == 0 ? m_children : m_count;
    t = TTreeTemplate{sql, tail, kind, which == 0 ? suffix : QString(), which == 0 ? digits : 0};
}

void TOrbTreeView::Hook()
{
    if (m_hooked)
        return;
    m_hooked = true;
    connect(this, &QTreeWidget::itemExpanded, this, &TOrbTreeView::expanded);
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *n) { setImages(n); });
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { selectionChanged(current); });
}

// --- records ---------------------------------------------------------------------------------

TTreeData *TOrbTreeView::nodeData(const QTreeWidgetItem *node) const
{
    return node ? reinterpret_cast<TTreeData *>(node->data(0, DataRole).value<quintptr>())
                : nullptr;
}

bool TOrbTreeView::hasPlaceholder(const QTreeWidgetItem *node) const
{
    return node && node->childCount() == 1 && node->child(0)->data(0, PlaceholderRole).toBool();
}

int TOrbTreeView::recordCount() const
{
    int n = 0;
    for (TTreeData *d = m_first; d; d = d->Next)
        ++n;
    return n;
}

void TOrbTreeView::unlink(TTreeData *d)
{
    if (d->Prior)
        d->Prior->Next = d->Next;
    else
        m_first = d->Next;
    if (d->Next)
        d->Next->Prior = d->Prior;
    delete d;
}

void TOrbTreeView::freeRecords(QTreeWidgetItem *node)
{
    for (int i = 0; i < node->childCount(); ++i)
        freeRecords(node->child(i));
    if (TTreeData *d = nodeData(node)) {
        node->setData(0, DataRole, QVariant());
        unlink(d);
    }
}

// --- adding -------------------------------------------------------------------------------------

QTreeWidgetItem *TOrbTreeView::addItem(QTreeWidgetItem *parent, const QString &caption,
                                       const QString &code, const QString &name)
{
    auto *d = new TTreeData;
    d->Code = code;
    d->Name = name;
    d->Next = m_first;
    if (m_first)
        m_first->Prior = d;
    m_first = d;
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, caption);
    item->setData(0, DataRole, QVariant::fromValue(quintptr(d)));
    if (!parent || nodeData(parent))
        addPlaceholderIfNeeded(item);
    setImages(item);
    return item;
}

void TOrbTreeView::addPlaceholderIfNeeded(QTreeWidgetItem *node)
{
    bool add = m_count.kind == QLatin1String("A");
    if (!add && m_count.isSet() && !DataBaseName.isEmpty()) {
        const QString code = nodeData(node)->Code;
        add = GetSqlNumber(TreeStatement(m_count, code, false)) > 0;
    }
    if (!add)
        return;
    auto *temp = new QTreeWidgetItem(node);
    temp->setText(0, kPlaceholder);
    temp->setData(0, PlaceholderRole, true);
}

QTreeWidgetItem *TOrbTreeView::BuildRoot()
{
    ClearTree();
    if (RootID.isEmpty() || RootName.isEmpty()) {
        ShowWarningOn(nullptr, QStringLiteral("没有节点ID或没有节点名称，不能建立节点"));
        return nullptr;
    }
    return addItem(nullptr, RootName, RootID, RootName);
}

QTreeWidgetItem *TOrbTreeView::AddNode(QTreeWidgetItem *parent, const QString &name,
                                       const QString &code)
{
    if (!parent || hasPlaceholder(parent))
        return nullptr;
    QTreeWidgetItem *node = addItem(parent, name, code, name);
    setImages(parent);
    return node;
}

// --- expanding ----------------------------------------------------------------------------------

void TOrbTreeView::expanded(QTreeWidgetItem *node)
{
    Guarded([&] { loadChildren(node); }, this);
}

void TOrbTreeView::loadChildren(QTreeWidgetItem *node)
{
    if (!node->isExpanded()) {
        node->setExpanded(true);   // comes back here through itemExpanded when hooked
        if (m_hooked)
            return;
    }
    if (!hasPlaceholder(node)) {
        setImages(node);
        return;
    }
    if (OnExpanding)
        OnExpanding(this, node);
    delete node->takeChild(0);
    TTreeData *d = nodeData(node);
    if (!d) {
        ShowWarningOn(nullptr, QStringLiteral("节点空"));
        return;
    }
    if (m_children.sql == QLatin1String("A")) {
        for (const auto &pair : MemoryItems)
            addItem(node, TreeCaption(m_children, pair.first), pair.second, pair.first);
    } else if (m_children.isSet()) {
        auto q = OpenSql(TreeStatement(m_children, d->Code, true));
        while (q->next()) {
            const QString code = q->value(0).toString();
            const QString name = q->value(1).toString();
            addItem(node, TreeCaption(m_children, name), code, name);
        }
    }
    setImages(node);
}

// --- images -------------------------------------------------------------------------------------

void TOrbTreeView::setImage(QTreeWidgetItem *node, int index)
{
    node->setData(0, ImageRole, index);
    node->setIcon(0, index >= 0 && index < Images.size() ? Images[index] : QIcon());
}

void TOrbTreeView::setImages(QTreeWidgetItem *node)
{
    if (!node || node->data(0, PlaceholderRole).toBool())
        return;
    if (ImageIndexIsLevel)
        setImage(node, Level(node));
    else if (node->childCount() == 0)
        setImage(node, 2);
    else
        setImage(node, node->isExpanded() ? 1 : 0);
    if (node->isExpanded())
        for (int i = 0; i < node->childCount(); ++i) {
            QTreeWidgetItem *c = node->child(i);
            if (c->data(0, PlaceholderRole).toBool())
                continue;
            if (ImageIndexIsLevel)
                setImage(c, Level(c));
            else
                setImage(c, c->childCount() == 0 ? 2 : (c->isExpanded() ? 1 : 0));
        }
}

// --- names, deleting, clearing ------------------------------------------------------------------

QString TOrbTreeView::NodeCode(const QTreeWidgetItem *node) const
{
    const TTreeData *d = nodeData(node);
    return d ? d->Code : QString();
}

QString TOrbTreeView::NodeName(const QTreeWidgetItem *node) const
{
    const TTreeData *d = nodeData(node);
    return d ? d->Name : QString();
}

void TOrbTreeView::SetNodeName(QTreeWidgetItem *node, const QString &name)
{
    if (TTreeData *d = nodeData(node))
        d->Name = name;
}

void TOrbTreeView::RenameByCode(const QString &code, const QString &caption)
{
    QTreeWidgetItemIterator it(this);
    for (; *it; ++it)
        if (NodeCode(*it) == code)
            (*it)->setText(0, caption);
}

bool TOrbTreeView::DeleteNode(QTreeWidgetItem *node, bool withChildren)
{
    if (!node)
        return false;
    if (!withChildren && node->childCount() > 0) {
        ShowWarningOn(nullptr, QStringLiteral("请先删除该节点的子节点"));
        return false;
    }
    QTreeWidgetItem *parent = node->parent();
    freeRecords(node);
    delete node;
    if (parent)
        setImages(parent);
    return true;
}

void TOrbTreeView::ClearTree()
{
    try {
        const bool blocked = blockSignals(true);
        clear();
        blockSignals(blocked);
        while (m_first)
            unlink(m_first);
    } catch (...) {
        ShowWarningOn(nullptr, QStringLiteral("节点数据清除过程发生错误"));
    }
}

void TOrbTreeView::selectionChanged(QTreeWidgetItem *current)
{
    if (SetColor) {
        SetColor = false;
        return;
    }
    if (OnChange)
        OnChange(this, current);
}

} // namespace Orb
