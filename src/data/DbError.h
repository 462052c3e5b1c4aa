#pragma once
// Database errors in the shape the error translation knows: a list of
// sub-errors, each with the engine code, category, sub-code and native number.

#include <QList>
#include <QString>
#include <stdexcept>

class QSqlError;

namespace Orb {

struct DbErrorItem {
    int errorCode = 0;
    int category = 0;
    int subCode = 0;
    int nativeError = 0;
    QString message;
};

// An error of the database engine (a statement that failed).
class EDBEngineError : public std::runtime_error {
public:
    explicit EDBEngineError(QList<DbErrorItem> errors, const QString &sql = QString());
    const QList<DbErrorItem> &errors() const { return m_errors; }
    const QString &sql() const { return m_sql; }
    QString message() const;

private:
    QList<DbErrorItem> m_errors;
    QString m_sql;
};

// Any other database failure (no connection, missing link).
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// A text that is no valid value of its kind ("… is not a valid date").
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// A value outside its range (an index or a number too large for its field).
class ERangeError : public std::runtime_error {
public:
    explicit ERangeError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// Engine codes the translation knows.
namespace EngineCode {
constexpr int KeyViolation = 9729;      // category 38, sub-code 1
constexpr int ForeignKey = 9734;        // category 38, sub-code 6
constexpr int OpenError = 10770;        // category 42, sub-code 18
constexpr int RecordChanged = 10763;    // category 42, sub-code 11
constexpr int TooBig = 10029;           // category 39, sub-code 45
constexpr int TablesOpen = 10243;       // category 40, sub-code 3
constexpr int General = 13059;          // category 51, sub-code 3
} // namespace EngineCode

// Maps an SQLite or PostgreSQL error onto the engine codes.
DbErrorItem MapSqlError(const QSqlError &error, bool postgres);

} // namespace Orb
