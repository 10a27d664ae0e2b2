#pragma once
#include <functional>

class QObject;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Event slots: method references whose first argument is the sending component. An empty slot
// is skipped. Components chain a slot by keeping the old value and calling it from their own.
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TCloseQueryEvent = std::function<void(QObject* Sender, bool& CanClose)>;
using TCloseEvent = std::function<void(QObject* Sender, TCloseAction& Action)>;

// Runs a handler; an error escaping it goes to the application's default error handler.
// Returns false when the handler failed.
bool CallHandler(const std::function<void()>& body);
