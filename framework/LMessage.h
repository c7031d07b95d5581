#pragma once

class LHandler;

// Message names are texts; a message is tested by comparing texts, never addresses, so a name
// copied out of its variable or read from a resource still matches. A null name equals the
// empty text.
bool LSameName(const char* a, const char* b);

// The three-field message value: what happened (name), what it is about (param, also the origin
// it returns to at the end of a chain) and who receives it next (target). Copied freely, never
// allocated. A message missing its param or target is not delivered: that is how a handler
// consumes a message.
struct LMessage {
    const char* name = nullptr;
    LHandler* param = nullptr;
    LHandler* target = nullptr;

    LMessage() = default;
    LMessage(const char* aName, LHandler* aParam, LHandler* aTarget)
        : name(aName), param(aParam), target(aTarget) {}

    bool Is(const char* aName) const { return LSameName(name, aName); }
    bool IsDeliverable() const { return param && target; }
};

// Delivers a message synchronously to completion (see LHandler.cpp for the stop rule).
void Send(const LMessage& message);
// The same for a message made of its three fields: one call in place of a message built at
// every caller.
[[gnu::noinline]] void Send(const char* name, LHandler* param, LHandler* target);
