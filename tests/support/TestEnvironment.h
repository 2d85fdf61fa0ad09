#pragma once

#include <QTemporaryDir>

// Points HOME and the XDG folders (the runtime one too) into `home`, drops
// what would reach a real daemon, and picks the offscreen platform, so that
// nothing a test process does touches the user's files or display. Call
// before creating the Q(Core)Application.
void prepareTestEnvironment(const QTemporaryDir& home);
