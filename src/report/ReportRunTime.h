#pragma once
// The report run-time: loads a template, binds cell texts to data sets and
// variables, evaluates the template functions, splits the detail rows over
// pages with repeated header and footer lines and keeps every finished page
// as a template stream; pages are printed, previewed or written to PDF.

#include "report/ReportDataSet.h"
#include "report/ReportDocument.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <array>
#include <memory>

class QPrinter;
class QWidget;

namespace Orb {


struct TPrintField {
    QString fieldName;
    QString caption;
    QString dataSetName;
    bool master = false;
    bool detail = false;
};
using TPrintFieldsArray = QList<TPrintField>;

class TReportRunTime : public QObject {
    Q_OBJECT
public:
    explicit TReportRunTime(QObject *owner = nullptr);
    ~TReportRunTime() override;

    // --- published properties ---------------------------------------------
    QString ReportFile() const { return m_reportFile; }
    // Loads the template; false (with its message shown) when it cannot.
    bool SetReportFile(const QString &fileName);
    QStringList SetData;
    bool AddSpace = false;
    QString ReportTitle;   // title of the print job

    // --- data binding ---------------------------------------------------------
    void RegisterDataSet(const QString &name, TReportDataSet *dataSet);
    void SetDataSet(const QString &name, TReportDataSet *dataSet)
    {
        RegisterDataSet(name, dataSet);
    }
    void SetDefaultDataSet(TReportDataSet *dataSet) { m_defaultDataSet = dataSet; }
    void SetVariable(const QString &name, const QString &value);
    // The caption table; a loaded template is read again with the new captions.
    void SetPrintFields(const TPrintFieldsArray &fields);
    // Runs the SetData commands when no data set is registered yet.
    void RunSetData();

    // --- running ----------------------------------------------------------------
    // Both pagination passes; false (with its message shown) on any failure,
    // leaving no pages behind.
    bool BuildPages();
    const QList<QByteArray> &Pages() const { return m_pages; }
    int PageCount() const { return m_pageCount; }
    void ClearPages();

    // Writes every page to a PDF file through QPrinter.
    bool PrintToPdf(const QString &fileName);
    // Prints on the default printer, with the print dialog unless silent.
    bool RunPrint(bool withDialog = true, QWidget *parent = nullptr);
    // Builds the pages and shows them in the preview window.
    void RunPreview(QWidget *parent = nullptr);
    // Prints the built pages from..to (1-based) on the printer.
    bool PrintPages(QPrinter &printer, int from, int to);

    const TReportDocument &Template() const { return m_template; }
    // The templates texts as loaded, before caption markers were translated.
    void DisableControls();
    void EnableControls();

private:
    struct Row;
    struct Pass;

    void preprocess();
    QString preprocessText(const QString &text) const;
    TReportDataSet *dataSetNamed(const QString &name) const;
    // (data set, field position) of an "@" or "#" reference; field -1 when unknown.
    QPair<TReportDataSet *, int> resolveReference(const QString &text) const;
    void fillCell(const TReportCell &source, TReportCell &target, const QString &counter);
    QString fieldText(TReportDataSet *data, int field, const TReportCell &source,
                      TReportCell &target) const;
    QString functionValue(const QString &name) const;

    bool runPass(Pass &pass);
    bool buildRow(Pass &pass, Row &row);
    void takeBack(Pass &pass);
    void fillWithEmptyRows(Pass &pass);
    bool fits(const Pass &pass, int footerHeight, int extra = 0) const;
    void closePage(Pass &pass, bool fullFooter);
    void fillSection(TReportDocument &page, int from, int to, bool fullFooter);
    void resolvePageFunctions(TReportDocument &page, int pageNumber, int pageCount);
    QString sumText(const QString &text, const TReportCell &cell, bool perPage);
    int rowHeight(TReportLine &line) const;

    QString m_reportFile;
    TReportDocument m_template;
    QByteArray m_templateBytes;   // the template as stored, before translation
    QList<QPair<QString, QPointer<TReportDataSet>>> m_dataSets;
    QPointer<TReportDataSet> m_defaultDataSet;
    QHash<QString, QString> m_variables;
    TPrintFieldsArray m_printFields;
    QList<QByteArray> m_pages;
    int m_pageCount = 0;

    // Pagination state of the current pass.
    int m_detailLine = -1;
    std::array<double, 41> m_pageSums{};
    std::array<double, 41> m_runningSums{};
    int m_counter = 1;
    QSet<QString> m_shownMessages;
    bool m_failed = false;
};

} // namespace Orb
