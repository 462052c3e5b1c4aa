#pragma once
// The link of a data-aware control to one field of its data source's query:
// reading the field's text and writing typed text back while editing.

#include <QPointer>
#include <QString>

namespace Orb {

class TOrbDataSource;
class TOrbQuery;
class EntryControl;

class FieldBinding {
public:
    void bind(EntryControl *control, TOrbDataSource *source, const QString &field);
    void unbind();
    TOrbDataSource *source() const;
    QString field() const { return m_field; }
    TOrbQuery *query() const;
    // The field's text in the current record; empty without one.
    QString text() const;
    // True while the query edits or inserts and has the field.
    bool canModify() const;
    // Writes the text into the record when it can be modified.
    void write(const QString &text);
    bool writing() const { return m_writing; }

private:
    QPointer<TOrbDataSource> m_source;
    EntryControl *m_control = nullptr;
    QString m_field;
    bool m_writing = false;
};

} // namespace Orb
