#pragma once
#include "Component.h"

#include <functional>

// Points a component's reference at another component (or at none). When that one is destroyed
// the reference is emptied, `then` runs for whatever else the owner must do, and the owner hears
// of it in Notification (opRemove); the one referred to before is let go.
template <class T>
void SetComponentReference(ComponentLifecycle& owner, T*& reference, T* component, std::function<void()> then = {})
{
    reference = component;
    owner.WatchReference(&reference, component, [&reference, then = std::move(then)] {
        reference = nullptr;
        if (then)
            then();
    });
}
