#pragma once

#include "framework/LMessage.h"

// Base of everything that receives messages. A handler consumes a message, passes it on to the
// handler behind it (`next`), or answers with another message. `next` is never owned, and is
// null only for the root of the chains (the application).
class LHandler {
public:
    explicit LHandler(LHandler* next) : m_next(next) {}
    LHandler(const LHandler&) = delete;
    LHandler& operator=(const LHandler&) = delete;
    // Announces the end with "LHandler_Destructing" (this as param, to next) so that holders
    // of pointers to it up the chain let go.
    virtual ~LHandler();

    // Receives a message addressed to this handler and returns the message to deliver next.
    // Overrides end with LHandler::Handle for what they do not act on.
    virtual LMessage Handle(const LMessage& message);

    LHandler* Next() const { return m_next; }
    void SetNext(LHandler* next) { m_next = next; }

protected:
    // The message passed on unchanged: to next, or back to its param at the end of the chain.
    LMessage PassOn(const LMessage& message) const;
    static LMessage Consumed() { return LMessage(); }

private:
    LHandler* m_next;
};
