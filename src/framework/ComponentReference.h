#pragma once
#include "Component.h"

// Points a component's reference at another component and asks to be told when that one goes
// (Notification with opRemove, where the owner clears the reference); the old one is let go.
template <class T> void SetComponentReference(ComponentLifecycle& owner, T*& reference, T* component)
{
    if (reference)
        owner.RemoveFreeNotification(reference);
    reference = component;
    if (reference)
        owner.FreeNotification(reference);
}
