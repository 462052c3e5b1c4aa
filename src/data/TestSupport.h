#pragma once
// Seams for tests: a message sink that records every box and answers
// questions from a script, and a scripted runner for modal dialogs.

#include "data/Messages.h"

#include <QStringList>
#include <QList>

namespace Orb {

class RecordingMessageSink final : public MessageSink {
public:
    enum Kind { Warning, Error, Question };
    struct Entry {
        Kind kind;
        QString text;
    };

    RecordingMessageSink();            // installs itself
    ~RecordingMessageSink() override;  // restores the previous sink

    void warning(QWidget *owner, const QString &text) override;
    void error(QWidget *owner, const QString &text) override;
    bool question(QWidget *owner, const QString &text) override;

    // Answers for the coming questions, in order; when none is left: defaultAnswer.
    QList<bool> answers;
    bool defaultAnswer = true;
    QList<Entry> entries;

    QStringList texts() const;
    QString last() const;
    void clear() { entries.clear(); }

private:
    MessageSink *m_previous;
};

} // namespace Orb
