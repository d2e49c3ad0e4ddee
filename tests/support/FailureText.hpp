#pragma once
#include <string>

namespace TestSupport {

// The text of the Failure that the call throws, or "no failure".
template <class Failure, class Call>
std::string FailureText(Call call)
{
    try {
        call();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "no failure";
}

} // namespace TestSupport
