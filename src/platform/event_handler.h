#pragma once

#include <QObject>
#include <exception>
#include <functional>
#include <utility>

namespace tolvi::platform {

// Where an error that ends a handler is reported. The main window installs its own.
using ErrorReporter = std::function<void(const std::exception& error)>;
void SetErrorReporter(ErrorReporter reporter);

// Runs an event handler the way our layer hands every event over: once the application is
// ending no handler runs; an error the handler raises ends it and goes to the error reporter,
// never into Qt's event dispatch.
void RunEventHandler(const std::function<void()>& handler);

// Binds a Qt signal to a handler that takes no arguments, run through RunEventHandler.
template <typename Sender, typename Signal, typename Handler>
void BindEvent(Sender* sender, Signal signal, QObject* context, Handler handler) {
    QObject::connect(sender, signal, context,
                     [handler = std::move(handler)] { RunEventHandler(handler); });
}

// True once EndApplication has run.
bool ApplicationEnding();
void MarkApplicationEnding();

}  // namespace tolvi::platform
