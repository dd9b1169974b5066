#pragma once

class QString;

namespace tolvi::widgets {

// Hands a web address to the desktop's default browser without waiting for it, ignores the
// outcome (a failure is silent), then runs ten passes of event processing, in which queued
// input may run any handler, this function included. Never fails.
void OpenWebPage(const QString& address);

}  // namespace tolvi::widgets
