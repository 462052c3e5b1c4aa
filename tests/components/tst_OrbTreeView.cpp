// TOrbTreeView over the money types on both engines: lazy children behind
// the placeholder, both templates and their kinds, adding, deleting,
// renaming, clearing, the in-memory list, captions and images.
#include "common/TestDb.h"
#include "components/OrbTreeView.h"
#include "data/OrbFun.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QtTest>

using namespace Orb;

namespace {

void AddType(const QString &id, const QString &prior, int order, const QString &name)
{
    QVERIFY(ExecSql("INSERT INTO ORB_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,ORDER_ID,"
                    "MONEY_TYPE_NAME) VALUES(" + QuotedStr(id) + "," + QuotedStr(prior) + ","
                    + QString::number(order) + "," + QuotedStr(name) + ")"));
}

const char *kChildren = "SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME FROM ORB_MONEY_INTO_OUT_TYPE_TABLE "
                        "WHERE PRIOR_ID = ";
const char *kCount = "SELECT COUNT(*) FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE PRIOR_ID = ";

struct Tree {
    TOrbTreeView view;
    QStringList expanding;
    Tree()
    {
        view.setObjectName("OrbTreeView1");
        view.RootID = "G001";
        view.RootName = QStringLiteral("借贷科目");
        view.SetTreeSQL(0, kChildren, 0, "", "C", "ORDER BY ORDER_ID");
        view.SetTreeSQL(1, kCount, 0, "", "C", "");
        view.OnExpanding = [this](TOrbTreeView *t, QTreeWidgetItem *n) {
            expanding << t->NodeCode(n);
        };
        view.Hook();
        view.resize(260, 300);
    }
    QTreeWidgetItem *root() { return view.topLevelItem(0); }
    QTreeWidgetItem *child(QTreeWidgetItem *n, const QString &code)
    {
        for (int i = 0; i < n->childCount(); ++i)
            if (view.NodeCode(n->child(i)) == code)
                return n->child(i);
        return nullptr;
    }
};

} // namespace

class TestOrbTreeView : public QObject {
    Q_OBJECT
public:
    explicit TestOrbTreeView(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        AddType("G001001", "G001", 2, QStringLiteral("支出"));
        AddType("G001002", "G001", 1, QStringLiteral("收入"));
        AddType("G001001001", "G001001", 1, QStringLiteral("差旅费"));
        AddType("G001001002", "G001001", 2, QStringLiteral("O'Brien 办公费"));
    }
    void cleanup() { m_db.reset(); }

    void lazyChildrenBehindThePlaceholder()
    {
        Tree t;
        QTreeWidgetItem *root = t.view.BuildRoot();
        QVERIFY(root);
        QCOMPARE(root->text(0), QStringLiteral("借贷科目"));
        QVERIFY(t.view.hasPlaceholder(root));
        QCOMPARE(root->child(0)->text(0), QString("temp"));
        root->setExpanded(true);
        QCOMPARE(t.expanding, QStringList{"G001"});
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(0)->text(0), QStringLiteral("收入"));     // ORDER BY ORDER_ID
        QTreeWidgetItem *out = t.child(root, "G001001");
        QTreeWidgetItem *in = t.child(root, "G001002");
        QVERIFY(t.view.hasPlaceholder(out));
        QCOMPARE(in->childCount(), 0);          // count 0: a leaf without expand button
        in->setExpanded(true);
        QCOMPARE(t.expanding, QStringList{"G001"});   // never read for a leaf
        out->setExpanded(true);
        QCOMPARE(out->childCount(), 2);
        QCOMPARE(t.view.NodeName(out->child(1)), QStringLiteral("O'Brien 办公费"));
        QCOMPARE(t.view.recordCount(), 5);
        // Expanding again does not read twice.
        out->setExpanded(false);
        out->setExpanded(true);
        QCOMPARE(out->childCount(), 2);
        QCOMPARE(t.expanding.size(), 2);

        t.view.expandAll();
        t.view.setCurrentItem(out->child(0));
        const QString dir = qEnvironmentVariable("ORB_SHOT_DIR");
        t.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.view));
        const QImage shot = t.view.grab().toImage();
        const QRect r = t.view.visualItemRect(out->child(0));
        const QColor selected = shot.pixelColor(r.right() - 2, r.center().y());
        QVERIFY2(qAbs(selected.red() - 0x00) < 6 && qAbs(selected.green() - 0x80) < 6
                     && qAbs(selected.blue() - 0xC0) < 6,
                 qPrintable(selected.name()));
        if (!dir.isEmpty())
            shot.save(QDir(dir).filePath("tree.png"));
    }

    void templateKinds()
    {
        Tree t;
        // Count kind "A": every node may have children.
        t.view.SetTreeSQL(1, "", 0, "", "A", "");
        t.view.SetTreeSQL(0, kChildren, 4, QStringLiteral("类"), "C", "ORDER BY ORDER_ID");
        QTreeWidgetItem *root = t.view.BuildRoot();
        root->setExpanded(true);
        QTreeWidgetItem *in = t.child(root, "G001002");
        QVERIFY(t.view.hasPlaceholder(in));
        QCOMPARE(in->text(0), QStringLiteral("00收入类"));
        in->setExpanded(true);
        QCOMPARE(in->childCount(), 0);
        // Children sql "A": the in-memory list.
        Tree m;
        m.view.SetTreeSQL(0, "A", 0, QStringLiteral("年"), "", "");
        m.view.SetTreeSQL(1, "", 0, "", "", "");
        m.view.MemoryItems = {{"2008", "Y2008"}, {"2009", "Y2009"}};
        m.view.SetTreeSQL(1, "", 0, "", "A", "");
        QTreeWidgetItem *r = m.view.BuildRoot();
        r->setExpanded(true);
        QCOMPARE(r->childCount(), 2);
        QCOMPARE(r->child(1)->text(0), QStringLiteral("2009年"));
        QCOMPARE(m.view.NodeCode(r->child(1)), QString("Y2009"));
    }

    void addDeleteRenameClear()
    {
        Tree t;
        RecordingMessageSink sink;
        QTreeWidgetItem *root = t.view.BuildRoot();
        // Under a collapsed node holding its placeholder nothing is added.
        QVERIFY(!t.view.AddNode(root, QStringLiteral("新增"), "G001003"));
        root->setExpanded(true);
        QTreeWidgetItem *added = t.view.AddNode(root, QStringLiteral("新增"), "G001003");
        QVERIFY(added);
        QCOMPARE(root->childCount(), 3);
        QCOMPARE(added->childCount(), 0);
        QTreeWidgetItem *out = t.child(root, "G001001");
        QVERIFY(!t.view.DeleteNode(out, false));
        QCOMPARE(sink.last(), QStringLiteral("请先删除该节点的子节点"));
        const int records = t.view.recordCount();
        QVERIFY(t.view.DeleteNode(out, true));
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(t.view.recordCount(), records - 1);
        t.view.RenameByCode("G001003", QStringLiteral("改名"));
        QCOMPARE(added->text(0), QStringLiteral("改名"));
        t.view.SetNodeName(added, QStringLiteral("改名"));
        QCOMPARE(t.view.NodeName(added), QStringLiteral("改名"));
        t.view.ClearTree();
        QCOMPARE(t.view.topLevelItemCount(), 0);
        QCOMPARE(t.view.recordCount(), 0);
        t.view.RootID.clear();
        QVERIFY(!t.view.BuildRoot());
        QCOMPARE(sink.last(), QStringLiteral("没有节点ID或没有节点名称，不能建立节点"));
    }

    void selectionAndImages()
    {
        Tree t;
        t.view.Images = {QIcon(), QIcon(), QIcon()};
        int changes = 0;
        t.view.OnChange = [&](TOrbTreeView *, QTreeWidgetItem *) { ++changes; };
        QTreeWidgetItem *root = t.view.BuildRoot();
        root->setExpanded(true);
        QTreeWidgetItem *in = t.child(root, "G001002");
        QTreeWidgetItem *out = t.child(root, "G001001");
        QCOMPARE(root->data(0, Qt::UserRole + 3).toInt(), 1);   // expanded
        QCOMPARE(in->data(0, Qt::UserRole + 3).toInt(), 2);     // leaf
        QCOMPARE(out->data(0, Qt::UserRole + 3).toInt(), 0);    // has children
        t.view.setCurrentItem(in);
        QCOMPARE(changes, 1);
        t.view.SetColor = true;
        t.view.setCurrentItem(out);
        QCOMPARE(changes, 1);
        QVERIFY(!t.view.SetColor);
        t.view.setCurrentItem(in);
        QCOMPARE(changes, 2);
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestOrbTreeView)
#include "tst_OrbTreeView.moc"
