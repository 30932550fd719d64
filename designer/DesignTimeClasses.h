#pragma once
// Registers the design-time classes in the class registry under the names
// templates use (TDesignVexa, TTesmolaBand, ...), together with the storage
// and report engine classes. Safe to call more than once; the loaders call
// it when they are created.

namespace zelmio {

void RegisterDesignTimeClasses();

} // namespace zelmio
