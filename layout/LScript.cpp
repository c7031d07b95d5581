#include "layout/LScript.h"

namespace {

// Wrap-around arithmetic without signed overflow.
int32_t Add(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int32_t Sub(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
int32_t Mul(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }
int32_t Neg(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }

// Truncates toward zero; the one quotient that does not fit (least value by -1) wraps to the
// least value, as negating it does.
int32_t Div(int32_t a, int32_t b)
{
    if (b == -1)
        return Neg(a);
    return a / b;
}

} // namespace

LScript::LScript()
{
    RegisterFunction("sqrt", &LScript::Sqrt);
    RegisterFunction("min", &LScript::Min);
    RegisterFunction("max", &LScript::Max);
}

LScript::~LScript() = default;

void LScript::RegisterFunction(const char* name, Function function)
{
    LString key(name);
    for (int i = 0; i < m_functions.Count(); ++i) {
        if (m_functions.At(i).name == key) {
            m_functions.At(i).function = function;
            return;
        }
    }
    FunctionEntry entry;
    entry.name = key;
    entry.function = function;
    m_functions.Push(entry);
}

int32_t LScript::Argument(int32_t index) const
{
    if (index < 0 || index >= m_argCount)
        return 0;
    return m_arguments.At(m_argBase - m_argCount + index);
}

int32_t LScript::Run(const char* text)
{
    LCharStream input(text);
    return Run(input);
}

int32_t LScript::Run(LCharStream& input)
{
    LCharStream* outer = m_input;
    if (!outer) {
        m_steps = 0;
        m_nesting = 0;
        m_stopped = false;
    }
    m_input = &input;
    int32_t value = RunStatements();
    m_input = outer;
    return m_stopped ? 0 : value;
}

int32_t LScript::Variable(const char* name) const
{
    return ReadVariable(LString(name));
}

int32_t LScript::RunStatements()
{
    int32_t value = 0;
    for (;;) {
        NextToken(); // drops whatever ended the previous statement
        if (Token() == LScriptReader::kEnd)
            return value;
        value = Expression();
    }
}

void LScript::NextToken()
{
    if (m_stopped || !m_input) {
        m_reader.Stop();
        return;
    }
    if (m_stepBudget && ++m_steps > m_stepBudget) {
        Stop();
        return;
    }
    m_reader.Next(*m_input);
}

// From here on every token reads as the end, so each loop of the parser and every call ends
// at once and the run unwinds normally.
void LScript::Stop()
{
    m_stopped = true;
    m_reader.Stop();
}

int32_t LScript::Expression()
{
    int32_t value = Term();
    for (;;) {
        if (Token() == '+') {
            NextToken();
            value = Add(value, Term());
        } else if (Token() == '-') {
            NextToken();
            value = Sub(value, Term());
        } else {
            return value;
        }
    }
}

int32_t LScript::Term()
{
    int32_t value = Factor();
    for (;;) {
        if (Token() == '*') {
            NextToken();
            value = Mul(value, Factor());
        } else if (Token() == '/') {
            NextToken();
            int32_t divisor = Factor();
            if (divisor == 0)
                return 0;
            value = Div(value, divisor);
        } else {
            return value;
        }
    }
}

int32_t LScript::Factor()
{
    if (m_nesting >= kMaxNesting) {
        Stop();
        return 0;
    }
    ++m_nesting;
    int32_t value = 0;
    switch (Token()) {
    case LScriptReader::kNumber:
        value = m_reader.Number();
        NextToken();
        break;
    case '-':
        NextToken();
        value = Neg(Factor());
        break;
    case '(':
        value = ParenthesisedList();
        break;
    case '%':
        value = PercentFactor();
        break;
    case LScriptReader::kName:
        value = NameFactor();
        break;
    default:
        break; // a stray token reads 0 and is left for the statement to drop
    }
    --m_nesting;
    return value;
}

int32_t LScript::ParenthesisedList()
{
    int32_t value = 0;
    NextToken();
    for (;;) {
        value = Expression();
        if (Token() == ')') {
            NextToken();
            return value;
        }
        if (Token() == LScriptReader::kEnd)
            return value;
        NextToken(); // the separator
    }
}

int32_t LScript::PercentFactor()
{
    NextToken();
    if (Token() == LScriptReader::kNumber) {
        int32_t value = Argument(m_reader.Number());
        NextToken();
        return value;
    }
    if (Token() != LScriptReader::kName)
        return 0;
    LString name = m_reader.Text();
    NextToken();
    if (Token() == '(')
        return Repeat(name);
    return Argument(ReadVariable(name));
}

int32_t LScript::NameFactor()
{
    LString name = m_reader.Text();
    NextToken();
    switch (Token()) {
    case LScriptReader::kBody:
        DefineMacro(name, m_reader.Text());
        NextToken();
        return 0;
    case '=': {
        NextToken();
        int32_t value = Expression();
        AssignVariable(name, value);
        return value;
    }
    case '(':
        return Call(name);
    default:
        return ReadVariable(name);
    }
}

int32_t LScript::Call(const LString& name)
{
    int32_t pushed = 0;
    for (;;) {
        NextToken();
        int32_t value = Expression();
        int token = Token();
        if (token == ',' || token == ')' || token == LScriptReader::kEnd) {
            if (m_arguments.Push(value))
                ++pushed;
            if (token != ',')
                break;
        }
        // Any other token ends the argument without passing it; the next one starts after it.
    }

    int32_t value = 0;
    Frame saved;
    saved.localCount = m_localCount;
    saved.argCount = m_argCount;
    saved.argBase = m_argBase;
    saved.input = m_input;
    if (m_frames.Count() >= kMaxCallDepth) {
        Stop();
    } else if (m_frames.Push(saved)) {
        m_localCount = 0;
        m_argCount = pushed;
        m_argBase = m_arguments.Count();

        if (const Macro* macro = FindMacro(name)) {
            // The call holds its own handle on the body: a redefinition during the call cannot
            // pull the text from under the running stream.
            LString body = macro->body;
            LCharStream input(body.Text(), body.Length());
            m_input = &input;
            value = RunStatements();
        } else if (Function function = FindFunction(name)) {
            value = (this->*function)();
        }

        m_variables.Shrink(m_variables.Count() - m_localCount);
        m_localCount = saved.localCount;
        m_argCount = saved.argCount;
        m_argBase = saved.argBase;
        m_input = saved.input;
        m_frames.Shrink(m_frames.Count() - 1);
    }
    NextToken(); // the token after ")"
    m_arguments.Shrink(m_arguments.Count() - pushed);
    return value;
}

int32_t LScript::Repeat(const LString& counter)
{
    size_t bodyStart = m_input ? m_input->Position() : 0;
    for (;;) {
        ParenthesisedList();
        int32_t count = Add(ReadVariable(counter), 1);
        AssignVariable(counter, count);
        if (m_argCount <= count || m_stopped || !m_input)
            return 0;
        m_input->Seek(bodyStart);
        // The list starts again right after "(".
    }
}

int32_t LScript::ReadVariable(const LString& name) const
{
    for (int i = m_variables.Count() - 1; i >= 0; --i) {
        if (m_variables.At(i).name == name)
            return m_variables.At(i).value;
    }
    return 0;
}

void LScript::AssignVariable(const LString& name, int32_t value)
{
    int count = m_variables.Count();
    for (int i = count - 1; i >= count - m_localCount && i >= 0; --i) {
        if (m_variables.At(i).name == name) {
            m_variables.At(i).value = value;
            return;
        }
    }
    VariableEntry entry;
    entry.name = name;
    entry.value = value;
    if (m_variables.Push(entry))
        ++m_localCount;
}

void LScript::DefineMacro(const LString& name, const LString& body)
{
    for (int i = 0; i < m_macros.Count(); ++i) {
        if (m_macros.At(i).name == name) {
            m_macros.At(i).body = body;
            return;
        }
    }
    Macro macro;
    macro.name = name;
    macro.body = body;
    m_macros.Push(macro);
}

const LScript::Macro* LScript::FindMacro(const LString& name) const
{
    for (int i = 0; i < m_macros.Count(); ++i) {
        if (m_macros.At(i).name == name)
            return &m_macros.At(i);
    }
    return nullptr;
}

LScript::Function LScript::FindFunction(const LString& name) const
{
    for (int i = 0; i < m_functions.Count(); ++i) {
        if (m_functions.At(i).name == name)
            return m_functions.At(i).function;
    }
    return nullptr;
}

int32_t LScript::Max()
{
    if (m_argCount == 0)
        return 0;
    int32_t best = Argument(0);
    for (int32_t i = 1; i < m_argCount; ++i) {
        if (Argument(i) > best)
            best = Argument(i);
    }
    return best;
}

int32_t LScript::Min()
{
    if (m_argCount == 0)
        return 0;
    int32_t best = Argument(0);
    for (int32_t i = 1; i < m_argCount; ++i) {
        if (Argument(i) < best)
            best = Argument(i);
    }
    return best;
}

// Computed in single precision as the layouts expect; a negative argument has no root and
// gives 0, as an undefined variable would.
int32_t LScript::Sqrt()
{
    int32_t value = Argument(0);
    if (value <= 0)
        return 0;
    // Digit by digit in integers: exact for every value, and no floating-point library.
    uint32_t rest = static_cast<uint32_t>(value);
    uint32_t root = 0;
    for (uint32_t bit = 1u << 30; bit != 0; bit >>= 2) {
        if (rest >= root + bit) {
            rest -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
    }
    return static_cast<int32_t>(root);
}
