#pragma once
// The one place where exceptions that no window handled become messages.

#include <exception>
#include <utility>

class QObject;

namespace Orb {

void TranslateException(QObject *sender, const std::exception &error);

// Runs a slot body: a silent abort is swallowed, any other exception is
// translated; Qt never sees an exception. Returns false when the body threw.
template <class F>
bool Guarded(F &&body, QObject *sender = nullptr);

void TranslateUnknownException(QObject *sender);

} // namespace Orb

#include "data/Messages.h"

template <class F>
bool Orb::Guarded(F &&body, QObject *sender)
{
    try {
        std::forward<F>(body)();
        return true;
    } catch (const EAbort &) {
        return false;
    } catch (const std::exception &e) {
        TranslateException(sender, e);
        return false;
    } catch (...) {
        TranslateUnknownException(sender);
        return false;
    }
}
