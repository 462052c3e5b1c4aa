#pragma once
// The template-properties dialog: margins in millimetres and the paper of
// the template, written back to the template file on "确定".

#include "report/ReportDocument.h"

#include <QDialog>
#include <memory>

class QPrinter;
class QSpinBox;
class QLabel;

namespace Orb {

class TMarginForm : public QDialog {
    Q_OBJECT
public:
    explicit TMarginForm(const QString &templateFile, QWidget *parent = nullptr);
    ~TMarginForm() override;

    bool isLoaded() const { return m_loaded; }
    QPrinter &printer() { return *m_printer; }

public slots:
    void accept() override;
    void setupPaper();

private:
    void showPaper();

    QString m_file;
    TReportDocument m_doc;
    bool m_loaded = false;
    std::unique_ptr<QPrinter> m_printer;
    QSpinBox *m_left;
    QSpinBox *m_top;
    QSpinBox *m_right;
    QSpinBox *m_bottom;
    QLabel *m_paper;
};

} // namespace Orb
