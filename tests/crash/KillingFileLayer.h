#pragma once

// A layer under SQLite, in the crash child only, that kills the process with
// SIGKILL just before its n-th change to a file (a write, truncation, sync or
// deletion), so that a kill lands exactly between two steps of a commit and
// a seed names the same moment again.
namespace KillingFileLayer
{

// Makes the layer SQLite's default for the connections opened afterwards.
// `changesBeforeKill` 0 never kills.
void install(long changesBeforeKill);

} // namespace KillingFileLayer
