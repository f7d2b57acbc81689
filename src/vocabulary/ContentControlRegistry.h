#pragma once

#include <QString>

#include <functional>

class ContentControl;

// Content controls by name ("GridContentControl", ...). Registrations happen at start-up, before
// any dialog exists; a later registration of a name shadows an earlier one.
namespace ContentControlRegistry {

// Returns a new control whose window owns it.
using Factory = std::function<ContentControl*()>;

void Register(const QString& name, Factory factory);
// Removes the most recent registration of `name`; false when there is none.
bool Unregister(const QString& name);
// A new control, or none for a name nobody registered.
ContentControl* Create(const QString& name);

} // namespace ContentControlRegistry
