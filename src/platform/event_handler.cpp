#include "platform/event_handler.h"

namespace tolvi::platform {

namespace {
ErrorReporter& Reporter() {
    static ErrorReporter reporter;
    return reporter;
}
bool ending = false;
}  // namespace

void SetErrorReporter(ErrorReporter reporter) {
    Reporter() = std::move(reporter);
}

void RunEventHandler(const std::function<void()>& handler) {
    if (ending) {
        return;
    }
    try {
        handler();
    } catch (const std::exception& error) {
        if (Reporter()) {
            Reporter()(error);
        }
    }
}

bool ApplicationEnding() {
    return ending;
}
void MarkApplicationEnding() {
    ending = true;
}

}  // namespace tolvi::platform
