#pragma once

#include <exception>

// Refuses an operation without any message (the handler that throws it has
// already told the user what is wrong, or nothing needs saying).
class SilentAbort : public std::exception
{
public:
    const char* what() const noexcept override { return "operation aborted"; }
};
