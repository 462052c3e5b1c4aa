#include "data/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>

namespace Orb {

namespace {

QWidget *ActiveOwner()
{
    return QApplication::activeWindow();
}

class DefaultSink final : public MessageSink {
public:
    void warning(QWidget *owner, const QString &text) override
    {
        show(QMessageBox::Warning, owner, kWarningCaption, text, QMessageBox::Ok);
    }
    void error(QWidget *owner, const QString &text) override
    {
        show(QMessageBox::Critical, owner, kErrorCaption, text, QMessageBox::Ok);
    }
    bool question(QWidget *owner, const QString &text) override
    {
        return show(QMessageBox::Question, owner, kWarningCaption, text,
                    QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes;
    }

private:
    static int show(QMessageBox::Icon icon, QWidget *owner, const QString &caption,
                    const QString &text, QMessageBox::StandardButtons buttons)
    {
        // Without a GUI, or offscreen where nobody could answer a modal box.
        if (!qobject_cast<QApplication *>(QCoreApplication::instance())
            || QGuiApplication::platformName() == QLatin1String("offscreen")) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
            return QMessageBox::No;
        }
        QMessageBox box(icon, caption, text, buttons, owner);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        return box.exec();
    }
};

DefaultSink g_defaultSink;
MessageSink *g_sink = nullptr;

} // namespace

void SetMessageSink(MessageSink *sink)
{
    g_sink = sink;
}

MessageSink *CurrentMessageSink()
{
    return g_sink ? g_sink : &g_defaultSink;
}

bool AskYesNo(const QString &text)
{
    return CurrentMessageSink()->question(ActiveOwner(), text + QStringLiteral(" ?"));
}

void ShowWarning(const QString &text)
{
    CurrentMessageSink()->warning(ActiveOwner(), text);
}

void ShowError(const QString &text)
{
    CurrentMessageSink()->error(ActiveOwner(), text);
}

void ShowWarningOn(QWidget *window, const QString &text)
{
    CurrentMessageSink()->warning(window, text);
}

void ShowErrorOn(QWidget *window, const QString &text)
{
    CurrentMessageSink()->error(window, text);
}

void Abort()
{
    throw EAbort();
}

} // namespace Orb
