#pragma once
// The print preview of the run-time's stored pages: one page at a time,
// paging, zoom, best fit, print settings and printing.

#include <QDialog>

class QLabel;
class QScrollArea;
class QToolButton;

namespace Orb {

class TReportControl;
class TReportRunTime;

class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TPreviewForm(TReportRunTime *runTime, QWidget *parent = nullptr);

    int currentPage() const { return m_page; }
    int zoom() const;
    TReportControl *control() const { return m_control; }
    QString statusText() const;

public slots:
    void showPage(int page);
    void firstPage() { showPage(1); }
    void priorPage() { showPage(m_page - 1); }
    void nextPage() { showPage(m_page + 1); }
    void lastPage();
    void zoomIn();
    void zoomOut();
    void bestFit();
    void printSettings();
    void print();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *button(const QString &name, const QString &text);
    void setZoom(int percent);
    void placePage();
    void updateButtons();

    TReportRunTime *m_runTime;
    TReportControl *m_control;
    QScrollArea *m_scroll;
    QWidget *m_canvas;
    QLabel *m_status;
    QToolButton *m_first, *m_prior, *m_next, *m_last, *m_stop;
    int m_page = 0;
};

} // namespace Orb
