// Prints refusals and results in a failure message by their log text.
#pragma once

#include <ostream>

#include "state/refusal.h"

inline void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << '"' << refusal.Text() << '"';
}

inline void PrintTo(const Result& result, std::ostream* out) {
    if (result.Ok()) {
        *out << "ok";
    } else {
        PrintTo(*result.Reason(), out);
    }
}
