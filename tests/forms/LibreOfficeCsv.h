#pragma once
// Reads a spreadsheet file back through LibreOffice: converts it to UTF-8 CSV
// in a private profile and temporary directory and returns the lines.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

namespace SpreadsheetTest {

inline QString Office()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// Empty list with *error set when the conversion failed.
inline QStringList CsvLines(const QString &file, QString *error)
{
    QTemporaryDir dir;
    QProcess office;
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.start(Office(),
                 {QStringLiteral("-env:UserInstallation=")
                      + QUrl::fromLocalFile(dir.filePath("profile")).toString(),
                  "--headless", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1",
                  "--outdir", dir.filePath("out"), file});
    if (!office.waitForFinished(180000)) {
        *error = "LibreOffice did not finish";
        return {};
    }
    QFile csv(dir.filePath("out/" + QFileInfo(file).completeBaseName() + ".csv"));
    if (!csv.open(QIODevice::ReadOnly)) {
        *error = "no CSV written: " + QString::fromUtf8(office.readAll());
        return {};
    }
    QStringList lines = QString::fromUtf8(csv.readAll()).split('\n');
    for (QString &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace SpreadsheetTest
