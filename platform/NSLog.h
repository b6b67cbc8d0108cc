#pragma once

#include <string>

// Writes a line to the device's log: standard error, and the activity
// monitor as a "log" activity, where the Settings app's event log shows it.
void NSLog(const std::string& message);
