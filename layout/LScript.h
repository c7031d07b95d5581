#pragma once

#include "framework/LString.h"
#include "layout/LCharStream.h"
#include "layout/LScriptReader.h"
#include "layout/LScriptStack.h"

#include <cstdint>

// The interpreter of layout scripts: 32-bit integer expressions, variables resolved through
// the frames of the active calls, text macros with positional arguments, the repetition
// construct "%name(...)" and a table of built-in functions that derived engines extend.
// Scripts report no errors: whatever they hold runs to the end and gives some value.
class LScript {
public:
    // A built-in function reads its arguments through ArgumentCount and Argument.
    typedef int32_t (LScript::*Function)();

    // Calls nested deeper than this (a macro that calls itself without end) and expressions
    // nested deeper than kMaxNesting stop the run, which then gives 0, long before the
    // stack of the 32-bit installer's thread could overflow.
    static const int kMaxCallDepth = 64;
    static const int kMaxNesting = 512;

    LScript();
    // Not virtual: nothing deletes an engine through a pointer to this base.
    ~LScript();
    LScript(const LScript&) = delete;
    LScript& operator=(const LScript&) = delete;

    // Adds a built-in function or replaces the operation of the one of that name.
    void RegisterFunction(const char* name, Function function);

    int32_t ArgumentCount() const { return m_argCount; }
    // Argument index of the current call; 0 when there is no such argument.
    int32_t Argument(int32_t index) const;

    // Runs the whole text in the current frame and gives the value of its last statement (0
    // when it has none, or when the run was stopped by a limit).
    int32_t Run(LCharStream& input);
    int32_t Run(const char* text);

    // Caps the tokens one top-level run may read (0, the default, means no cap). A run that
    // reaches the cap stops and gives 0; used where scripts come from outside (fuzzing).
    void SetStepBudget(uint32_t tokens) { m_stepBudget = tokens; }
    // Whether the last top-level run was stopped by a limit.
    bool WasStopped() const { return m_stopped; }

    // The value of a variable as a script would read it (0 when none exists).
    int32_t Variable(const char* name) const;

private:
    struct VariableEntry {
        LString name;
        int32_t value = 0;
    };
    struct Macro {
        LString name;
        LString body;
    };
    struct FunctionEntry {
        LString name;
        Function function = nullptr;
    };
    struct Frame {
        int32_t localCount = 0;
        int32_t argCount = 0;
        int32_t argBase = 0;
        LCharStream* input = nullptr;
    };

    int32_t RunStatements();
    int32_t Expression();
    int32_t Term();
    int32_t Factor();
    int32_t NameFactor();
    int32_t PercentFactor();
    int32_t ParenthesisedList();
    int32_t Call(const LString& name);
    int32_t Repeat(const LString& counter);

    void NextToken();
    void Stop();
    int Token() const { return m_reader.Kind(); }

    int32_t ReadVariable(const LString& name) const;
    void AssignVariable(const LString& name, int32_t value);
    void DefineMacro(const LString& name, const LString& body);
    const Macro* FindMacro(const LString& name) const;
    Function FindFunction(const LString& name) const;

    int32_t Max();
    int32_t Min();
    int32_t Sqrt();

    LScriptReader m_reader;
    int32_t m_localCount = 0;
    int32_t m_argCount = 0;
    int32_t m_argBase = 0;
    LCharStream* m_input = nullptr;
    LScriptStack<VariableEntry> m_variables; // newest last
    LScriptStack<FunctionEntry> m_functions;
    LScriptStack<Macro> m_macros;
    LScriptStack<int32_t> m_arguments;
    LScriptStack<Frame> m_frames;

    uint32_t m_stepBudget = 0;
    uint32_t m_steps = 0;
    int m_nesting = 0;
    bool m_stopped = false;
};
