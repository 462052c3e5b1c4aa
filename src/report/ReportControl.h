#pragma once
// The report template shown and edited on screen: paints the page at a zoom,
// and edits by mouse (in-place text editing, dragging cell and line edges,
// rubber-band selection). The template itself is a TReportDocument.

#include "report/ReportDocument.h"

#include <QPointer>
#include <QWidget>

#include <QPlainTextEdit>

namespace Orb {

class TReportControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool CreportEdit READ CreportEdit WRITE SetCreportEdit)
public:
    explicit TReportControl(QWidget *parent = nullptr);
    ~TReportControl() override;

    TReportDocument &document() { return m_doc; }
    const TReportDocument &document() const { return m_doc; }

    bool CreportEdit() const { return m_edit; }
    void SetCreportEdit(bool edit) { m_edit = edit; }

    int zoom() const { return m_zoom; }
    void SetZoom(int percent);
    // The document changed from outside: lay it out, resize and repaint.
    void Changed();

    // Save and load with the stream format; a refused file shows "格式不正确".
    bool SaveToFile(const QString &fileName);
    bool LoadFromFile(const QString &fileName);
    bool LoadFromStream(const QByteArray &bytes, qsizetype offset = 0);

    // Editing operations on the selection (see TReportDocument).
    void NewTable(int columns, int rows);
    void AddLine();
    void InsertLine();
    void DeleteLine();
    void AddCell();
    void InsertCell();
    void DeleteCell();
    void CombineCells();
    void SplitCell();
    void VSplitCell(int count);
    void SetMargins(int left, int top, int right, int bottom);
    void Clear();

    // The cell under a point in page pixels (a merge owner for its block).
    TReportCell *cellAtPage(const QPoint &pagePoint) const;
    QPoint toPage(const QPoint &widgetPoint) const;
    // The font of the last selected cell, for the designer's font controls.
    LogFont LastSelectedFont() const;
    bool isEditingText() const { return m_editor != nullptr; }
    // Stores the in-place editor's text in its cell and closes the editor.
    void commitEditor();

signals:
    void selectionChanged();
    void documentChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Arrows move the selection, Delete clears the texts, F2 / Enter edit.
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Drag { None, CellWidth, LineHeight, Select };

    void openEditor(TReportCell *cell);
    TReportCell *neighbour(const TReportCell *cell, int key) const;
    void selectSpanned(const QPoint &to);
    Drag edgeAt(const QPoint &pagePoint, TReportCell **cell, TReportLine **line) const;
    void updateSize();

    TReportDocument m_doc;
    bool m_edit = true;
    int m_zoom = 100;
    Drag m_drag = Drag::None;
    QPoint m_pressPoint;   // page pixels
    TReportCell *m_dragCell = nullptr;
    TReportLine *m_dragLine = nullptr;
    QList<TReportCell *> m_baseSelection;
    QPointer<QPlainTextEdit> m_editor;
    TReportCell *m_editedCell = nullptr;
};

} // namespace Orb
