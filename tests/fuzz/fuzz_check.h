// FUZZ_CHECK: stops the run on a broken property, so libFuzzer keeps the input as a crash
// and the seed replay fails, both with the property and its line on stderr.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(property)                                                                       \
    do {                                                                                           \
        if (!(property)) {                                                                         \
            fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #property);        \
            abort();                                                                               \
        }                                                                                          \
    } while (0)
