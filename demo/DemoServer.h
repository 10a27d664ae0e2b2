#pragma once
#include "ChatStore.h"
#include "SignInThrottle.h"

#include <httplib.h>

#include <chrono>

// Puts the demo chat service's paths on an HTTP server: the login check, the chat page and its
// poll and send calls, the account pages, the script creator, the room query, the room script
// and the room view. Every password check goes through `throttle`; chat pages ask for news every
// `pollEvery`.
void RegisterDemoRoutes(httplib::Server& server, ChatStore& store, SignInThrottle& throttle,
                        std::chrono::milliseconds pollEvery = std::chrono::milliseconds(1000));
