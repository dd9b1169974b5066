#pragma once

#include <QString>

namespace tolvi::shell {

// Hands a web address to the desktop's default browser without waiting for it, ignores the
// outcome (a failure is silent), then runs ten passes of event processing, in which queued
// input may run any handler, this procedure included. Never fails.
void OpenWebsite(QString& address);

}  // namespace tolvi::shell
