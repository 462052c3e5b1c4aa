#pragma once
// Message boxes of the system. Every box goes through one replaceable sink:
// the real sink shows a QMessageBox, tests record the texts and script answers.

#include <QString>
#include <exception>

class QWidget;

namespace Orb {

inline const QString kWarningCaption = QStringLiteral("提示信息");
inline const QString kErrorCaption = QStringLiteral("错误信息");

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void warning(QWidget *owner, const QString &text) = 0;
    virtual void error(QWidget *owner, const QString &text) = 0;
    // A yes/no question; the text already carries the trailing " ?".
    virtual bool question(QWidget *owner, const QString &text) = 0;
};

// nullptr restores the default sink (message boxes, or stderr without a GUI).
void SetMessageSink(MessageSink *sink);
MessageSink *CurrentMessageSink();

bool AskYesNo(const QString &text);
void ShowWarning(const QString &text);
void ShowError(const QString &text);
void ShowWarningOn(QWidget *window, const QString &text);
void ShowErrorOn(QWidget *window, const QString &text);

// A refused operation: its message has been shown; the handler that started
// the operation swallows this silently.
struct EAbort : std::exception {
    const char *what() const noexcept override { return "Operation aborted"; }
};
[[noreturn]] void Abort();

} // namespace Orb
