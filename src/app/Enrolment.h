#pragma once
// What the first-run enrolment writes: the company root record, the first
// system user with every right, and the built-in print template rows. The
// enrolment window and the command line's init both go through here.

#include <QString>

namespace Orb {

struct EnrolmentInput {
    QString companyName;
    QString postcode;
    QString fax;
    QString phone;
    QString address;
    QString userId;
    QString userName;
    QString password;
    QString imeName;
};

// Each step returns the warning text of its failure, or empty text.
QString EnrolCompany(const EnrolmentInput &in);
QString EnrolUser(const EnrolmentInput &in);
// Sets the logged-on user values and remembers the input method.
void EnrolLogon(const EnrolmentInput &in);
// Replaces every rights row by all seven rights on the ten programs.
bool EnrolRights(const QString &userId);
// The five built-in template rows; "报表建立过程发生错误" on failure.
QString EnrolPrintTemplates();

// All of the above in order; the first failure's text, or empty text.
QString Enrol(const EnrolmentInput &in);

} // namespace Orb
