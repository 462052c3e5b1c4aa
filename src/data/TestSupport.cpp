#include "data/TestSupport.h"

namespace Orb {

RecordingMessageSink::RecordingMessageSink()
    : m_previous(CurrentMessageSink())
{
    SetMessageSink(this);
}

RecordingMessageSink::~RecordingMessageSink()
{
    SetMessageSink(m_previous);
}

void RecordingMessageSink::warning(QWidget *, const QString &text)
{
    entries.append({Warning, text});
}

void RecordingMessageSink::error(QWidget *, const QString &text)
{
    entries.append({Error, text});
}

bool RecordingMessageSink::question(QWidget *, const QString &text)
{
    entries.append({Question, text});
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

QStringList RecordingMessageSink::texts() const
{
    QStringList out;
    for (const auto &e : entries)
        out << e.text;
    return out;
}

QString RecordingMessageSink::last() const
{
    return entries.isEmpty() ? QString() : entries.last().text;
}

} // namespace Orb
