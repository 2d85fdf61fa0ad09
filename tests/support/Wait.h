#pragma once

#include <chrono>
#include <functional>

// Polls `condition` while processing Qt events until it holds or `timeout`
// passes; returns its final value. For things no signal announces.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));
