#pragma once

#include <string>

// Names the calling thread, as debuggers and `top -H` show it. Linux keeps
// the first 15 characters only.
void setCurrentThreadName(const std::string& name);
