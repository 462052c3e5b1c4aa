#include "rights/WindowRegistry.h"

#include <QHash>

namespace Orb {

namespace {

QHash<QString, WindowEntry> &Windows()
{
    static QHash<QString, WindowEntry> windows;
    return windows;
}

QHash<QString, ProcedureFn> &Procedures()
{
    static QHash<QString, ProcedureFn> procedures;
    return procedures;
}

} // namespace

void RegisterWindow(const WindowEntry &entry)
{
    Windows().insert(entry.name, entry);
}

const WindowEntry *FindWindowEntry(const QString &name)
{
    auto it = Windows().constFind(name);
    return it == Windows().constEnd() ? nullptr : &it.value();
}

void RegisterProcedure(const QString &name, ProcedureFn run)
{
    Procedures().insert(name, std::move(run));
}

ProcedureFn FindProcedure(const QString &name)
{
    return Procedures().value(name);
}

void ClearWindowRegistry()
{
    Windows().clear();
    Procedures().clear();
}

} // namespace Orb
