#include "framework/LHandler.h"

#include "framework/LMessageNames.h"

#include <cstring>

bool LSameName(const char* a, const char* b)
{
    if (!a)
        a = "";
    if (!b)
        b = "";
    return a == b || std::strcmp(a, b) == 0;
}

void Send(const LMessage& message)
{
    LMessage current = message;
    while (current.IsDeliverable()) {
        LHandler* receiver = current.target;
        LMessage answer = receiver->Handle(current);
        // The message came back to its origin and the origin let it pass unchanged.
        if (receiver == current.param && answer.param == current.param &&
            LSameName(answer.name, current.name))
            return;
        current = answer;
    }
}

void Send(const char* name, LHandler* param, LHandler* target) { Send(LMessage(name, param, target)); }

LHandler::~LHandler()
{
    // By now the dynamic type is LHandler, so the dying object answers with the base rule.
    Send(LHandler_Destructing, this, m_next);
}

LMessage LHandler::Handle(const LMessage& message)
{
    return PassOn(message);
}

LMessage LHandler::PassOn(const LMessage& message) const
{
    return LMessage(message.name, message.param, m_next ? m_next : message.param);
}
